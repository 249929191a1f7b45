#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A search by number asks ORCA's patient call for the name; a search by name can only look in the
// patient cache, which holds everyone who passed through a reception list or a search by number.

// "api01rv2/patientgetv2?id=" + the number as typed; the transport sends a blank body as a GET and
// escapes the number for the query.
QString PatientGetApiPath(const QString& patientId);

// The first non-empty WholeName of a patient answer; "" when it names nobody.
QString PatientWholeName(const QStringList& answerLines);

struct CachedPatient {
  QString key;   // the patient number: the text before the line's first comma, normalised
  QString name;  // everything after it, commas included
};

// Cache lines whose name holds the text as a plain substring (exact, case-sensitive, no kana or
// width folding), in file order. Lines without a comma are no patients.
QList<CachedPatient> FindCachedPatients(const QStringList& cacheLines, const QString& text);
