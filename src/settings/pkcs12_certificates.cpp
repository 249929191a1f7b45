#include "settings/pkcs12_certificates.h"

#include <openssl/bio.h>
#include <openssl/evp.h>
#include <openssl/pkcs12.h>
#include <openssl/x509.h>

#include <memory>

namespace {

template <auto Free>
struct Freer {
  template <class T>
  void operator()(T* p) const {
    Free(p);
  }
};

QSslCertificate ToQt(X509* x509) {
  const int length = i2d_X509(x509, nullptr);
  if (length <= 0) return QSslCertificate();
  QByteArray der(length, Qt::Uninitialized);
  auto* out = reinterpret_cast<unsigned char*>(der.data());
  if (i2d_X509(x509, &out) != length) return QSslCertificate();
  return QSslCertificate(der, QSsl::Der);
}

void FreeCertificates(STACK_OF(X509) * certificates) {
  sk_X509_pop_free(certificates, X509_free);
}

}  // namespace

std::optional<Pkcs12Contents> ReadPkcs12(const QByteArray& data, const QString& password) {
  std::unique_ptr<BIO, Freer<BIO_free>> in(BIO_new_mem_buf(data.constData(), static_cast<int>(data.size())));
  if (!in) return std::nullopt;
  std::unique_ptr<PKCS12, Freer<PKCS12_free>> p12(d2i_PKCS12_bio(in.get(), nullptr));
  if (!p12) return std::nullopt;
  EVP_PKEY* keyOut = nullptr;
  X509* certificateOut = nullptr;
  STACK_OF(X509)* othersOut = nullptr;
  // Checks the password against the file's MAC (an empty one also as no password at all).
  const QByteArray pass = password.toUtf8();
  if (!PKCS12_parse(p12.get(), pass.constData(), &keyOut, &certificateOut, &othersOut)) return std::nullopt;
  std::unique_ptr<EVP_PKEY, Freer<EVP_PKEY_free>> key(keyOut);
  std::unique_ptr<X509, Freer<X509_free>> certificate(certificateOut);
  std::unique_ptr<STACK_OF(X509), Freer<FreeCertificates>> others(othersOut);

  Pkcs12Contents contents;
  contents.hasPrivateKey = key != nullptr;
  if (certificate) contents.certificates << ToQt(certificate.get());
  for (int i = 0; others && i < sk_X509_num(others.get()); ++i)
    contents.certificates << ToQt(sk_X509_value(others.get(), i));
  contents.certificates.removeIf([](const QSslCertificate& c) { return c.isNull(); });
  return contents;
}
