#pragma once

#include <QDateTime>
#include <QString>

// "yyyy-mm-dd hh:mm:ss" of the current local time, independent of regional settings.
QString IFGetHzk15();

// The log line's stamp: "yyyy/MM/dd H:mm:ss", or the date alone at exactly midnight.
QString LogTimestamp(const QDateTime& moment);
