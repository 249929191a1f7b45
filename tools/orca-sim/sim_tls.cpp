#include "sim_tls.h"

#include <QFile>

namespace {

QByteArray ReadAll(const QString& path, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return {};
  }
  return file.readAll();
}

}  // namespace

std::optional<TlsSettings> SimTlsSettings(const SimOptions& options, QString* error) {
  if (options.tlsCert.isEmpty()) return std::nullopt;
  TlsSettings tls;
  tls.protocol = QSsl::TlsV1_2;
  const QList<QSslCertificate> chain = QSslCertificate::fromData(ReadAll(options.tlsCert, error), QSsl::Pem);
  const QByteArray keyPem = ReadAll(options.tlsKey, error);
  tls.key = QSslKey(keyPem, QSsl::Rsa, QSsl::Pem);
  if (tls.key.isNull()) tls.key = QSslKey(keyPem, QSsl::Ec, QSsl::Pem);
  if (chain.isEmpty() || tls.key.isNull()) {
    if (error->isEmpty()) *error = QStringLiteral("cannot read the certificate or its key");
    return std::nullopt;
  }
  tls.certificate = chain.first();
  if (!options.clientCa.isEmpty()) {
    tls.clientCertificateAuthorities = QSslCertificate::fromData(ReadAll(options.clientCa, error), QSsl::Pem);
    if (tls.clientCertificateAuthorities.isEmpty()) {
      if (error->isEmpty()) *error = QStringLiteral("%1: no certificate").arg(options.clientCa);
      return std::nullopt;
    }
  }
  return tls;
}
