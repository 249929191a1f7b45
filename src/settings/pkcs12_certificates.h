#pragma once

#include <QByteArray>
#include <QList>
#include <QSslCertificate>
#include <QString>
#include <optional>

// What a PKCS #12 file holds, read with its password: its certificates in file order and whether
// it carries a private key. The TLS layer reads only files with a key; a file of CA certificates
// alone is a PKCS #12 file all the same. Nothing when the data is not PKCS #12 or the password
// does not open it.
struct Pkcs12Contents {
  QList<QSslCertificate> certificates;
  bool hasPrivateKey = false;
};

std::optional<Pkcs12Contents> ReadPkcs12(const QByteArray& data, const QString& password);
