#include "pkcs12_files.h"

#include <QFile>
#include <QProcess>
#include <stdexcept>

#include "test_tls.h"

namespace {

void Openssl(const QString& folder, const QStringList& arguments) {
  QProcess p;
  p.setWorkingDirectory(folder);
  p.start(QStringLiteral("openssl"), arguments);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    throw std::runtime_error("openssl failed: " + p.readAllStandardError().toStdString());
  }
}

void Write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
    throw std::runtime_error("cannot write");
}

QString Export(const QString& folder, const QString& name, const QString& cert, const QString& key,
               const QString& chain, const QString& password) {
  const QString out = folder + "/" + name;
  Openssl(folder, {"pkcs12", "-export", "-inkey", key, "-in", cert, "-certfile", chain, "-out", out,
                   "-passout", "pass:" + password});
  return out;
}

void Sign(const QString& folder, const QString& name, const QString& subject, const QString& extensions,
          const QString& issuer) {
  Openssl(folder, {"req", "-newkey", "rsa:2048", "-nodes", "-keyout", name + ".key", "-out", name + ".csr",
                   "-subj", subject});
  Write(folder + "/" + name + ".ext", extensions.toUtf8());
  Openssl(folder, {"x509", "-req", "-in", name + ".csr", "-CA", issuer + ".crt", "-CAkey", issuer + ".key",
                   "-set_serial", QString::number(qHash(name) & 0xffffff), "-out", name + ".crt", "-days",
                   "2", "-extfile", name + ".ext"});
}

}  // namespace

QString MakeChainPkcs12(const QString& folder, const QString& password) {
  const TestPki& pki = TestCertificates();
  QFile::copy(pki.folder + "/ca.crt", folder + "/ca.crt");
  QFile::copy(pki.folder + "/ca.key", folder + "/ca.key");
  Sign(folder, "inter", "/CN=RinMed Test Intermediate",
       "basicConstraints=critical,CA:TRUE\nkeyUsage=keyCertSign\n", "ca");
  Sign(folder, "leaf", "/CN=Chain Clinic", "extendedKeyUsage=clientAuth\n", "inter");
  QFile inter(folder + "/inter.crt"), ca(folder + "/ca.crt");
  inter.open(QIODevice::ReadOnly);
  ca.open(QIODevice::ReadOnly);
  Write(folder + "/chain.pem", inter.readAll() + ca.readAll());
  return Export(folder, "chain.p12", "leaf.crt", "leaf.key", "chain.pem", password);
}

QString MakeClientPkcs12(const QString& folder, const QString& password) {
  const TestPki& pki = TestCertificates();
  return Export(folder, "client.p12", pki.folder + "/client.crt", pki.folder + "/client.key",
                pki.folder + "/ca.crt", password);
}

QString MakeCertificatesOnlyPkcs12(const QString& folder, const QString& password) {
  MakeChainPkcs12(folder, password);
  const QString out = folder + "/certificates.p12";
  Openssl(folder,
          {"pkcs12", "-export", "-nokeys", "-in", "chain.pem", "-out", out, "-passout", "pass:" + password});
  return out;
}
