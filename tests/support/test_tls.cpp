#include "test_tls.h"

#include <QDir>
#include <QFile>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <stdexcept>

#include "openssl_pki.h"

namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
  return f.readAll();
}

// Each pair is also written as NAME.crt and NAME.key, for programs started by a test.
PemPair Keep(const PemPair& pair, const QString& folder, const QString& name) {
  WriteTestFile(folder + "/" + name + ".crt", pair.certificate);
  WriteTestFile(folder + "/" + name + ".key", pair.key);
  return pair;
}

TestPki Make() {
  static QTemporaryDir dir;
  const QString f = dir.path();
  const PemPair ca = Keep(MakeCaCertificate("RinMed Test CA"), f, "ca");
  Keep(SignCertificate("127.0.0.1",
                       "subjectAltName=IP:127.0.0.1,DNS:localhost\nextendedKeyUsage=serverAuth\n", ca, 2),
       f, "server");
  Keep(SignCertificate("Test Clinic", "extendedKeyUsage=clientAuth\n", ca, 3), f, "client");
  TestPki pki;
  pki.folder = f;
  pki.ca = QSslCertificate(Read(f + "/ca.crt"));
  pki.server = QSslCertificate(Read(f + "/server.crt"));
  pki.serverKey = QSslKey(Read(f + "/server.key"), QSsl::Rsa);
  pki.client = QSslCertificate(Read(f + "/client.crt"));
  pki.clientKey = QSslKey(Read(f + "/client.key"), QSsl::Rsa);
  QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
  conf.addCaCertificate(pki.ca);
  QSslConfiguration::setDefaultConfiguration(conf);
  return pki;
}

}  // namespace

const TestPki& TestCertificates() {
  static const TestPki pki = Make();
  return pki;
}
