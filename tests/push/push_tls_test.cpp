// wss:// in cloud mode against orca-sim serving TLS: the server is verified, never excused, and the
// client certificate comes from the user's store, read anew for every attempt.
#include "push_fixture.h"
#include "test_tls.h"
#include "wait_until.h"

namespace {

class PushTls : public PushTest {
 protected:
  void SetUp() override {
    PushTest::SetUp();
    ASSERT_NO_THROW(TestCertificates());
  }
  QStringList tls(const QString& certificate, const QString& key) const {
    const QString folder = TestCertificates().folder + "/";
    return {"--tls-cert", folder + certificate, "--tls-key", folder + key, "--client-ca", folder + "ca.crt"};
  }
};

TEST_F(PushTls, theClientCertificateOfTheStoreOpensTheLink) {
  startSim(tls("server.crt", "server.key"));
  ASSERT_TRUE(simUrl_.startsWith("https://"));
  startLink();
  ASSERT_TRUE(waitForState(PushState::Waiting))
      << "a server that wants a certificate gets none from an empty store";
  EXPECT_EQ(reloads_, 0);

  ClientCertStore(path("certs")).add(TestCertificates().client, TestCertificates().clientKey);
  ASSERT_TRUE(waitForState(PushState::Connected));
  EXPECT_EQ(live_->indicator().text, "自動更新");
  ASSERT_EQ(simAccept(5), 200);
  ASSERT_TRUE(WaitUntil([&] { return events_.size() == 1; }));
}

TEST_F(PushTls, aServerCertificateForAnotherNameIsNeverAccepted) {
  ClientCertStore(path("certs")).add(TestCertificates().client, TestCertificates().clientKey);
  startSim(tls("client.crt", "client.key"));
  startLink();
  ASSERT_TRUE(WaitUntil([&] { return waitingCount() >= 2; }));
  EXPECT_TRUE(link_->status().reason.startsWith("ORCA のサーバー証明書を確認できません（"))
      << link_->status().reason.toStdString();
  EXPECT_FALSE(std::any_of(statuses_.begin(), statuses_.end(),
                           [](const PushStatus& s) { return s.state == PushState::Connected; }));
}

}  // namespace
