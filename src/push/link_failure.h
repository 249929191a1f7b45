#pragma once

#include <QAbstractSocket>
#include <QString>
#include <QStringList>

// Why an attempt to open the push socket failed, in words for the clinic: the HTTP status the server
// refused the handshake with, the certificate trouble, or the socket's own error. `sslErrors` are the
// texts of the certificate errors reported before the failure.
QString SocketFailureReason(QAbstractSocket::SocketError error, const QString& errorString,
                            const QStringList& sslErrors);
