#pragma once

#include <QDateTime>
#include <QString>

// "yyyy-mm-dd hh:mm:ss" of the current local time, independent of regional settings.
QString IFGetHzk15();

// The log line's stamp: "yyyy/MM/dd H:mm:ss", or the date alone at exactly midnight.
QString LogTimestamp(const QDateTime& moment);

// How a month "yyyy-mm" is shown: "2024年05月" (characters 1 to 4, 年, characters 6 and 7, 月);
// empty for an empty month.
QString MonthLabelText(const QString& month);
