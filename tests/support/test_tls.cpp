#include "test_tls.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslConfiguration>
#include <QTemporaryDir>
#include <stdexcept>

namespace {

void Openssl(const QStringList& arguments, const QString& folder) {
  QProcess p;
  p.setWorkingDirectory(folder);
  p.start(QStringLiteral("openssl"), arguments);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    throw std::runtime_error("openssl failed: " + p.readAllStandardError().toStdString());
  }
}

QByteArray Read(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
  return f.readAll();
}

void Sign(const QString& name, const QString& subject, const QString& extension, const QString& folder) {
  Openssl({"req", "-newkey", "rsa:2048", "-nodes", "-keyout", name + ".key", "-out", name + ".csr", "-subj", subject},
          folder);
  QFile ext(folder + "/" + name + ".ext");
  ext.open(QIODevice::WriteOnly);
  ext.write(extension.toUtf8());
  ext.close();
  Openssl({"x509", "-req", "-in", name + ".csr", "-CA", "ca.crt", "-CAkey", "ca.key", "-CAcreateserial", "-out",
           name + ".crt", "-days", "2", "-extfile", name + ".ext"},
          folder);
}

TestPki Make() {
  static QTemporaryDir dir;
  const QString f = dir.path();
  Openssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.crt", "-days", "2",
           "-subj", "/CN=RinMed Test CA"},
          f);
  Sign("server", "/CN=127.0.0.1", "subjectAltName=IP:127.0.0.1,DNS:localhost\nextendedKeyUsage=serverAuth\n", f);
  Sign("client", "/CN=Test Clinic", "extendedKeyUsage=clientAuth\n", f);
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
