#include "orca/cert_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include "core/core_error.h"

namespace {

QString Fingerprint(const QSslCertificate& certificate) {
  return QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex());
}

void WriteFile(const QString& path, const QByteArray& bytes, bool secret) {
  if (!secret) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return;
    throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
  }
  // A private key is created owner-only from its first byte, then moved into place.
  const QString temporary = path + QStringLiteral(".tmp");
  QFile::remove(temporary);
  QFile file(temporary);
  const bool ok = file.open(QIODevice::WriteOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner) &&
                  file.write(bytes) == bytes.size() && file.flush();
  file.close();
  if (!ok || (QFile::exists(path) && !QFile::remove(path)) || !QFile::rename(temporary, path)) {
    QFile::remove(temporary);
    throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
  }
}

}  // namespace

ClientCertStore::ClientCertStore(const QString& folder) : folder_(folder) {}

QString ClientCertStore::DefaultFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/certs");
}

QStringList ClientCertStore::order() const {
  QFile file(folder_ + QStringLiteral("/order.txt"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void ClientCertStore::add(const QSslCertificate& certificate, const QSslKey& key) {
  if (!QDir().mkpath(folder_)) throw CoreError(QStringLiteral("%1: cannot create the folder").arg(folder_));
  QFile::setPermissions(folder_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  const QString fingerprint = Fingerprint(certificate);
  const QString base = folder_ + QLatin1Char('/') + fingerprint;
  WriteFile(base + QStringLiteral(".pem"), certificate.toPem(), false);
  if (!key.isNull()) {
    WriteFile(base + QStringLiteral(".key"), key.toPem(), true);
  } else {
    QFile::remove(base + QStringLiteral(".key"));
  }
  QStringList fingerprints = order();
  if (!fingerprints.contains(fingerprint)) {
    fingerprints << fingerprint;
    WriteFile(folder_ + QStringLiteral("/order.txt"), fingerprints.join(QLatin1Char('\n')).toLatin1() + '\n',
              false);
  }
}

QList<QSslCertificate> ClientCertStore::certificates() const {
  QList<QSslCertificate> result;
  for (const QString& fingerprint : order()) {
    const auto found = QSslCertificate::fromPath(folder_ + QLatin1Char('/') + fingerprint + QStringLiteral(".pem"));
    if (!found.isEmpty()) result << found.first();
  }
  return result;
}

bool ClientCertStore::firstWithKey(QSslCertificate* certificate, QSslKey* key) const {
  for (const QString& fingerprint : order()) {
    const QString base = folder_ + QLatin1Char('/') + fingerprint;
    QFile keyFile(base + QStringLiteral(".key"));
    if (!keyFile.open(QIODevice::ReadOnly)) continue;
    const QByteArray pem = keyFile.readAll();
    QSslKey found(pem, QSsl::Rsa);
    if (found.isNull()) found = QSslKey(pem, QSsl::Ec);
    const auto certs = QSslCertificate::fromPath(base + QStringLiteral(".pem"));
    if (found.isNull() || certs.isEmpty()) continue;
    *certificate = certs.first();
    *key = found;
    return true;
  }
  return false;
}
