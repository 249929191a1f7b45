#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Test certificates made in the process with libcrypto (no openssl program: the tests run the same
// on Linux and, under Wine, on Windows). Keys are RSA 2048, certificates valid for two days.
struct PemPair {
  QByteArray certificate;  // PEM
  QByteArray key;          // PEM, unencrypted PKCS #8
};

// A self-signed CA.
PemPair MakeCaCertificate(const QString& commonName);

// A certificate for commonName signed by the issuer, with the extensions given one per line as in an
// openssl extension file ("subjectAltName=IP:127.0.0.1", "extendedKeyUsage=clientAuth", ...).
PemPair SignCertificate(const QString& commonName, const QString& extensions, const PemPair& issuer,
                        long serial);

// A PKCS #12 file protected by the password (OpenSSL 3's defaults: AES-256, SHA-256 MAC): the key and
// certificate when given (empty PEM: none), then the chain certificates.
QByteArray ExportPkcs12(const PemPair& keyAndCertificate, const QList<QByteArray>& chainPem,
                        const QString& password);

// Writes bytes to a file, throwing when that fails.
void WriteTestFile(const QString& path, const QByteArray& bytes);
