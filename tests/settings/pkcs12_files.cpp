#include "pkcs12_files.h"

#include <QFile>
#include <stdexcept>

#include "openssl_pki.h"
#include "test_tls.h"

namespace {

QByteArray Read(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path.toStdString());
  return f.readAll();
}

PemPair TestCa() {
  const QString folder = TestCertificates().folder;
  return {Read(folder + "/ca.crt"), Read(folder + "/ca.key")};
}

QString Write(const QString& folder, const QString& name, const QByteArray& bytes) {
  const QString out = folder + "/" + name;
  WriteTestFile(out, bytes);
  return out;
}

struct Chain {
  PemPair inter;
  PemPair leaf;
};

Chain MakeChain() {
  const PemPair ca = TestCa();
  const PemPair inter = SignCertificate("RinMed Test Intermediate",
                                        "basicConstraints=critical,CA:TRUE\nkeyUsage=keyCertSign\n", ca, 101);
  return {inter, SignCertificate("Chain Clinic", "extendedKeyUsage=clientAuth\n", inter, 102)};
}

}  // namespace

QString MakeChainPkcs12(const QString& folder, const QString& password) {
  const Chain chain = MakeChain();
  return Write(folder, "chain.p12",
               ExportPkcs12(chain.leaf, {chain.inter.certificate, TestCa().certificate}, password));
}

QString MakeClientPkcs12(const QString& folder, const QString& password) {
  const QString pki = TestCertificates().folder;
  const PemPair client{Read(pki + "/client.crt"), Read(pki + "/client.key")};
  return Write(folder, "client.p12", ExportPkcs12(client, {TestCa().certificate}, password));
}

QString MakeCertificatesOnlyPkcs12(const QString& folder, const QString& password) {
  const Chain chain = MakeChain();
  return Write(folder, "certificates.p12",
               ExportPkcs12(PemPair{}, {chain.inter.certificate, TestCa().certificate}, password));
}
