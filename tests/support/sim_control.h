#pragma once

#include <QSslConfiguration>
#include <QString>

// Calls one of orca-sim's own control paths ("/sim/accept", "/sim/account") for a patient, as the
// demo user, and gives the HTTP status (0 when nothing came back). `simUrl` is the simulator's
// base ("http://127.0.0.1:<port>"); an https one uses `tls`.
int CallSim(const QString& simUrl, const QString& call, int patient,
            const QSslConfiguration& tls = QSslConfiguration::defaultConfiguration());
// The same with a form body of its own ("MS=2000" for /sim/latency).
int CallSimForm(const QString& simUrl, const QString& call, const QByteArray& form,
                const QSslConfiguration& tls = QSslConfiguration::defaultConfiguration());
