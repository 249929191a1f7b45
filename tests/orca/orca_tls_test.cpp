#include "async/run_blocking.h"
#include "core/ini_file.h"
#include "http_server.h"
#include "orca/orca_client.h"
#include "owner_only.h"
#include "temp_program_folder.h"
#include "test_tls.h"

namespace {

const QString kPath = "api01rv2/patientgetv2?id=1";

class OrcaTls : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    ASSERT_NO_THROW(TestCertificates());
    client_.setCertStore(ClientCertStore(path("certs")));
  }

  // An HTTPS server on loopback; `mode` goes to user.ini as the connection mode.
  void serve(QSsl::SslProtocol protocol, const QString& mode, bool requireClientCertificate = false,
             const QSslCertificate& serverCertificate = TestCertificates().server) {
    TlsSettings tls;
    tls.certificate = serverCertificate;
    tls.key = serverCertificate == TestCertificates().server ? TestCertificates().serverKey
                                                             : TestCertificates().clientKey;
    tls.protocol = protocol;
    if (requireClientCertificate) tls.clientCertificateAuthorities = {TestCertificates().ca};
    server_ = std::make_unique<HttpServer>([](const HttpRequest&) { return HttpAction::Ok("<xmlio2/>"); });
    ASSERT_TRUE(server_->listen(QHostAddress::LocalHost, 0, tls)) << server_->errorString().toStdString();
    writeFile("user.ini", QString("[PARAMA]\r\nURL=https://127.0.0.1:%1/api/\r\n[COKBN]\r\nCHCK=%2\r\n")
                              .arg(server_->port())
                              .arg(mode)
                              .toUtf8());
    client_.setConnection(ReadConnection());
    client_.setTimeoutMs(5000);
  }

  bool post() { return !RunBlocking(client_.post(kPath, "")).dumpPath.isEmpty(); }

  std::unique_ptr<HttpServer> server_;
  OrcaClient client_;
};

TEST_F(OrcaTls, cloudModeSpeaksTls12) {
  serve(QSsl::TlsV1_2, "1");
  EXPECT_TRUE(post());
  EXPECT_TRUE(client_.tlsRestrictedTo12());
}

TEST_F(OrcaTls, cloudModeRefusesAServerThatOnlySpeaksTls13WithoutRetrying) {
  serve(QSsl::TlsV1_3OrLater, "");
  EXPECT_FALSE(post());
  const QStringList log = logMessages();
  ASSERT_EQ(log.size(), 2);
  EXPECT_TRUE(log[1].startsWith("HTTP Error (attempt 1): ")) << log[1].toStdString();
}

TEST_F(OrcaTls, onPremiseModeWithoutAddressLeavesTheProtocolsAlone) {
  serve(QSsl::TlsV1_3OrLater, "2");
  EXPECT_TRUE(post());
  EXPECT_FALSE(client_.tlsRestrictedTo12());
}

TEST_F(OrcaTls, theRestrictionStaysOnceACloudRequestWasMade) {
  serve(QSsl::TlsV1_3OrLater, "1");
  EXPECT_FALSE(post());
  IFWriteIniStr("COKBN", "CHCK", "2");  // switched to on-premise without an address
  EXPECT_FALSE(post());
  EXPECT_TRUE(client_.tlsRestrictedTo12());
}

TEST_F(OrcaTls, certificateErrorsAreNeverIgnored) {
  serve(QSsl::TlsV1_2, "1", false, TestCertificates().client);  // a certificate made for another name
  EXPECT_FALSE(post());
  EXPECT_TRUE(server_->requests().isEmpty());
}

TEST_F(OrcaTls, theFirstStoredCertificateWithItsKeyIsPresentedWhenTheServerAsks) {
  serve(QSsl::TlsV1_2, "1", true);
  EXPECT_FALSE(post()) << "an empty store presents nothing";

  ClientCertStore store(path("certs"));
  store.add(TestCertificates().ca);  // a chain certificate without a key comes first
  EXPECT_FALSE(post());
  store.add(TestCertificates().client, TestCertificates().clientKey);
  EXPECT_TRUE(post());
  EXPECT_EQ(store.certificates().size(), 2);
  store.add(TestCertificates().client, TestCertificates().clientKey);  // an equal one is replaced
  EXPECT_EQ(store.certificates().size(), 2);
}

TEST_F(OrcaTls, aStoredKeyIsReadableByTheUserAlone) {
  ClientCertStore store(path("certs"));
  store.add(TestCertificates().client, TestCertificates().clientKey);
  store.add(TestCertificates().client, TestCertificates().clientKey);  // also when replaced
  EXPECT_TRUE(ReadableByItsOwnerAlone(
      path("certs/") + TestCertificates().client.digest(QCryptographicHash::Sha256).toHex() + ".key"));
}

}  // namespace
