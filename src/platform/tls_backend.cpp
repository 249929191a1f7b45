#include "platform/tls_backend.h"

#include <QSslSocket>

bool UseClientCertificateTlsBackend() {
#ifdef Q_OS_WIN
  const QString openssl = QStringLiteral("openssl");
  if (QSslSocket::activeBackend() == openssl) return true;
  return QSslSocket::availableBackends().contains(openssl) && QSslSocket::setActiveBackend(openssl);
#else
  return true;
#endif
}
