#pragma once

#include <QDateTime>
#include <QJsonObject>

#include "demo_data.h"

// The `data` of ORCA's push events about a reception of `d.receptions`: event name, user, time and body.
// `now` is the simulator's clock; like ORCA's servers it writes Japan's offset.
QJsonObject PatientAcceptEvent(const DemoData& d, qsizetype reception, const QString& user,
                               const QDateTime& now);
QJsonObject PatientAccountEvent(const DemoData& d, qsizetype reception, const QString& user,
                                const QDateTime& now);
