#pragma once

#include <QDate>
#include <QString>

// The three online-information calls and their one-line request bodies. The patient number is
// escaped for XML so that a number typed into the search box cannot change the request's structure;
// a plain number goes out unchanged.

inline const QString kOnlineDrugGetPath = QStringLiteral("api01rv2/onlinedruggetv2");
inline const QString kOnlineSpecGetPath = QStringLiteral("api01rv2/onlinespecgetv2");
inline const QString kOnlineMedGetPath = QStringLiteral("api01rv2/onlinemedgetv2");

// Phase 1 ("01") asks for the months and institutions from the start month back; phase 2 ("02")
// for the events of one month. Both name no dispensing or prescribing institution: ORCA's filter
// on them must get empty values, not missing ones, or it passes over every record.
QString OnlineDrugGet01Body(const QString& patientId, const QString& startMonth);
QString OnlineDrugGet02Body(const QString& patientId, const QString& month);
QString OnlineSpecGet01Body(const QString& patientId);
// month empty: every month the service keeps; otherwise the start month "yyyy-mm".
QString OnlineMedGet01Body(const QString& patientId, const QString& month);

// "yyyy-mm" of the month the given number of calendar months before the day's month.
QString MonthsBefore(const QDate& day, int months);

// The start month of the drug summary: the current month. ORCA lists the months up to the one it
// is given and, given none, up to the previous month only, which would leave out what was
// dispensed this month.
QString DrugSummaryStartMonth();
