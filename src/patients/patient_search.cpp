#include "patients/patient_search.h"

#include "orca/patient_number.h"
#include "orca/response_reader.h"

QString PatientGetApiPath(const QString& patientId) {
  return QStringLiteral("api01rv2/patientgetv2?id=") + patientId;
}

QString PatientWholeName(const QStringList& answerLines) {
  QString value;
  for (const QString& line : answerLines) {
    if (ElementValue(line, QStringLiteral("WholeName"), &value) && !value.isEmpty()) return value;
  }
  return QString();
}

QList<CachedPatient> FindCachedPatients(const QStringList& cacheLines, const QString& text) {
  QList<CachedPatient> hits;
  for (const QString& line : cacheLines) {
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0) continue;
    // Earlier versions stored a number found by a search as it was typed, leading zeros and all.
    CachedPatient patient{NormalisePatientNumber(line.left(comma)), line.mid(comma + 1)};
    if (patient.name.contains(text, Qt::CaseSensitive)) hits.append(patient);
  }
  return hits;
}
