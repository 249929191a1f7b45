#include "orca/client_tls.h"

#include <QSslKey>

QSslConfiguration ClientTlsConfiguration(bool tls12Only, const ClientCertStore& store,
                                         QSslCertificate* presented) {
  QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
  if (tls12Only) tls.setProtocol(QSsl::TlsV1_2);
  QSslCertificate certificate;
  QSslKey key;
  if (store.firstWithKey(&certificate, &key)) {
    tls.setLocalCertificate(certificate);
    tls.setPrivateKey(key);
  }
  if (presented) *presented = certificate;
  return tls;
}
