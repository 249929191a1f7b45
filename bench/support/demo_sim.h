#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// orca-sim on a free port with `arguments`, and user.ini in the program folder pointing at it as
// the demo's clinic; its base URL ("http://127.0.0.1:PORT").
QString StartSim(QProcess& sim, const QStringList& arguments);
