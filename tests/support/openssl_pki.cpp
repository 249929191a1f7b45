#include "openssl_pki.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/pkcs12.h>
#include <openssl/rsa.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <QFile>
#include <memory>
#include <stdexcept>

namespace {

template <class T, void (*Free)(T*)>
struct Deleter {
  void operator()(T* p) const { Free(p); }
};
using Key = std::unique_ptr<EVP_PKEY, Deleter<EVP_PKEY, EVP_PKEY_free>>;
using Cert = std::unique_ptr<X509, Deleter<X509, X509_free>>;
using Bio = std::unique_ptr<BIO, Deleter<BIO, BIO_free_all>>;

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(std::string("libcrypto: ") + what);
}

QByteArray Drain(BIO* bio) {
  char* data = nullptr;
  const long size = BIO_get_mem_data(bio, &data);
  return QByteArray(data, static_cast<qsizetype>(size));
}

Bio Reader(const QByteArray& pem) {
  return Bio(BIO_new_mem_buf(pem.constData(), static_cast<int>(pem.size())));
}

Key ReadKey(const QByteArray& pem) {
  Bio bio = Reader(pem);
  Key key(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr));
  Check(key != nullptr, "reading a key");
  return key;
}

Cert ReadCert(const QByteArray& pem) {
  Bio bio = Reader(pem);
  Cert cert(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr));
  Check(cert != nullptr, "reading a certificate");
  return cert;
}

PemPair Pem(X509* cert, EVP_PKEY* key) {
  Bio certBio(BIO_new(BIO_s_mem())), keyBio(BIO_new(BIO_s_mem()));
  Check(PEM_write_bio_X509(certBio.get(), cert) == 1, "writing a certificate");
  Check(PEM_write_bio_PrivateKey(keyBio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1,
        "writing a key");
  return {Drain(certBio.get()), Drain(keyBio.get())};
}

void AddExtension(X509* cert, X509* issuer, const QByteArray& name, const QByteArray& value) {
  X509V3_CTX ctx;
  X509V3_set_ctx_nodb(&ctx);
  X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_nconf(nullptr, &ctx, name.constData(), value.constData());
  Check(extension != nullptr, "an extension");
  X509_add_ext(cert, extension, -1);
  X509_EXTENSION_free(extension);
}

// A certificate for a new key; signed by the issuer, or by itself when there is none.
PemPair Make(const QString& commonName, const QString& extensions, const PemPair* issuer, long serial) {
  Key key(EVP_RSA_gen(2048));
  Check(key != nullptr, "generating a key");
  Cert cert(X509_new());
  X509_set_version(cert.get(), 2);
  ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
  X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
  X509_gmtime_adj(X509_getm_notAfter(cert.get()), 2 * 24 * 3600);
  X509_set_pubkey(cert.get(), key.get());
  const QByteArray cn = commonName.toUtf8();
  X509_NAME* name = X509_get_subject_name(cert.get());
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8,
                             reinterpret_cast<const unsigned char*>(cn.constData()), -1, -1, 0);
  Cert issuerCert = issuer ? ReadCert(issuer->certificate) : nullptr;
  Key issuerKey = issuer ? ReadKey(issuer->key) : nullptr;
  X509_set_issuer_name(cert.get(), issuer ? X509_get_subject_name(issuerCert.get()) : name);
  X509* signer = issuer ? issuerCert.get() : cert.get();
  AddExtension(cert.get(), signer, "subjectKeyIdentifier", "hash");
  AddExtension(cert.get(), signer, "authorityKeyIdentifier", "keyid:always");
  for (const QString& line : extensions.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    Check(eq > 0, "an extension line");
    AddExtension(cert.get(), signer, line.left(eq).trimmed().toLatin1(),
                 line.mid(eq + 1).trimmed().toLatin1());
  }
  Check(X509_sign(cert.get(), issuer ? issuerKey.get() : key.get(), EVP_sha256()) > 0, "signing");
  return Pem(cert.get(), key.get());
}

}  // namespace

PemPair MakeCaCertificate(const QString& commonName) {
  return Make(commonName, QStringLiteral("basicConstraints=critical,CA:TRUE\nkeyUsage=keyCertSign,cRLSign"),
              nullptr, 1);
}

PemPair SignCertificate(const QString& commonName, const QString& extensions, const PemPair& issuer,
                        long serial) {
  return Make(commonName, extensions, &issuer, serial);
}

QByteArray ExportPkcs12(const PemPair& keyAndCertificate, const QList<QByteArray>& chainPem,
                        const QString& password) {
  Key key = keyAndCertificate.key.isEmpty() ? nullptr : ReadKey(keyAndCertificate.key);
  Cert cert = keyAndCertificate.certificate.isEmpty() ? nullptr : ReadCert(keyAndCertificate.certificate);
  STACK_OF(X509)* chain = sk_X509_new_null();
  for (const QByteArray& pem : chainPem) sk_X509_push(chain, ReadCert(pem).release());
  const QByteArray pass = password.toUtf8();
  PKCS12* p12 = PKCS12_create(pass.constData(), nullptr, key.get(), cert.get(), chain, 0, 0, 0, 0, 0);
  sk_X509_pop_free(chain, X509_free);
  Check(p12 != nullptr, "PKCS12_create");
  Bio out(BIO_new(BIO_s_mem()));
  const bool written = i2d_PKCS12_bio(out.get(), p12) == 1;
  PKCS12_free(p12);
  Check(written, "writing PKCS #12");
  return Drain(out.get());
}

void WriteTestFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write " + path.toStdString());
}
