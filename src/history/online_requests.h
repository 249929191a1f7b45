#pragma once

#include <QDate>
#include <QString>

// The three online-information calls and their one-line request bodies. The patient number is
// escaped for XML so that a number typed into the search box cannot change the request's structure;
// a plain number goes out unchanged.

inline const QString kOnlineDrugGetPath = QStringLiteral("api01rv2/onlinedruggetv2");
inline const QString kOnlineSpecGetPath = QStringLiteral("api01rv2/onlinespecgetv2");
inline const QString kOnlineMedGetPath = QStringLiteral("api01rv2/onlinemedgetv2");

// Phase 1 ("01") asks for the months and institutions; phase 2 ("02") for the events of one month.
QString OnlineDrugGet01Body(const QString& patientId);
QString OnlineDrugGet02Body(const QString& patientId, const QString& month);
QString OnlineSpecGet01Body(const QString& patientId);
// month empty: every month the service keeps; otherwise the start month "yyyy-mm".
QString OnlineMedGet01Body(const QString& patientId, const QString& month);

// "yyyy-mm" of the month the given number of calendar months before the day's month.
QString MonthsBefore(const QDate& day, int months);
