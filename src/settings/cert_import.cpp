#include "settings/cert_import.h"

#include <QBuffer>
#include <QDir>
#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <exception>

#include "orca/cert_store.h"
#include "settings/pkcs12_certificates.h"

CertImportResult ImportPkcs12(const QByteArray& data, const QString& password, const QString& storeFolder) {
  QByteArray bytes = data;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QSslKey key;
  QSslCertificate certificate;
  QList<QSslCertificate> chain;
  CertImportResult result;
  if (!QSslCertificate::importPkcs12(&buffer, &key, &certificate, &chain, password.toUtf8()) ||
      certificate.isNull()) {
    // The TLS layer reads only files with a key. A file of certificates alone (a clinic's CA
    // chain, say) still goes in; a file with a key that the layer could not read does not.
    const std::optional<Pkcs12Contents> contents = ReadPkcs12(data, password);
    if (!contents || contents->hasPrivateKey) {
      result.outcome = CertImportResult::NotReadable;
      return result;
    }
    key = QSslKey();
    certificate = QSslCertificate();
    chain = contents->certificates;
  }
  if (!QDir().mkpath(storeFolder)) {
    result.outcome = CertImportResult::StoreUnavailable;
    return result;
  }
  result.outcome = CertImportResult::Imported;
  ClientCertStore store(storeFolder);
  auto add = [&](const QSslCertificate& one, const QSslKey& itsKey) {
    try {
      store.add(one, itsKey);
      ++result.count;
    } catch (const std::exception&) {
      // The user learns of it from the count; the other certificates still go in.
    }
  };
  if (!certificate.isNull()) add(certificate, key);
  for (const QSslCertificate& link : chain) add(link, QSslKey());
  return result;
}
