// The push link against servers of the test's own, for what orca-sim never does.
#include "push_fixture.h"
#include "scripted_push_server.h"
#include "silent_push_server.h"
#include "wait_until.h"

namespace {

class PushLinkScripted : public PushTest {
 protected:
  void startLink(const QUrl& url, const PushTimings& timings = kFastRetries) {
    link_->setTimings(timings);
    link_->start(PushTarget{true, url, "ormaster", "s3cret", false});
  }
};

TEST_F(PushLinkScripted, theHandshakeCarriesTheCredentialsAndStopSaysGoodbye) {
  ScriptedPushServer server;
  startLink(server.url());
  ASSERT_TRUE(waitForState(PushState::Connected));
  ASSERT_EQ(server.connections(), 1);
  const QNetworkRequest handshake = server.handshakes()[0];
  EXPECT_EQ(handshake.rawHeader("Authorization"), "Basic " + QByteArray("ormaster:s3cret").toBase64());
  EXPECT_EQ(handshake.rawHeader("X-GINBEE-TENANT-ID"), "1");
  ASSERT_EQ(server.received().size(), 2);
  EXPECT_TRUE(server.received()[0].contains(R"("event":"patient_accept")"))
      << server.received()[0].toStdString();
  EXPECT_TRUE(server.received()[1].contains(R"("event":"patient_account")"))
      << server.received()[1].toStdString();
  EXPECT_TRUE(server.received()[0].contains(R"("command":"subscribe")"));

  link_->stop();
  ASSERT_TRUE(WaitUntil([&] { return server.lastCloseCode().has_value(); }));
  EXPECT_EQ(*server.lastCloseCode(), QWebSocketProtocol::CloseCodeNormal);
  ASSERT_TRUE(WaitUntil([&] { return !link_->closing(); }));
  EXPECT_EQ(link_->status().state, PushState::Off);
  EXPECT_EQ(live_->indicator().text, "定期更新");
  Pass(500);  // well past the first pause before an attempt
  EXPECT_EQ(server.connections(), 1);
}

TEST_F(PushLinkScripted, framesItCannotReadAreIgnoredAndAnErrorFrameStartsAfresh) {
  ScriptedPushServer server;
  startLink(server.url());
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 1; }));
  const QStringList unreadable{
      "not json",
      "[1,2]",
      R"({"command":"event"})",
      R"({"command":"event","data":"patient_accept"})",
      R"({"command":"event","data":{"event":"patient_accept","body":{"Patient_ID":"00005"}}})",
      R"({"command":"event","data":{"event":"patient_accept","body":{"Accept_Date":"2025-13-40"}}})",
      R"({"command":"event","data":{"body":{"Accept_Date":"2025-03-14"}}})",
      R"({"command":"welcome"})",
  };
  for (const QString& frame : unreadable) server.send(frame);
  server.send(R"({"command":"event","data":{"event":"patient_accept","time":"2025-03-14T10:41:07+0900",)"
              R"("body":{"Patient_ID":"00012"}}})");
  ASSERT_TRUE(WaitUntil([&] { return !events_.isEmpty(); }));
  EXPECT_EQ(events_.size(), 1);
  EXPECT_EQ(events_[0].patientId, "00012");
  EXPECT_EQ(events_[0].day, kSimToday) << "the event's own time, when the body names no day";
  EXPECT_EQ(link_->status().state, PushState::Connected);
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 2; }));

  server.send(R"({"command":"error","message":"subscription lost"})");
  ASSERT_TRUE(waitForState(PushState::Waiting));
  EXPECT_EQ(link_->status().reason, "ORCA がエラーを返しました（subscription lost）");
  ASSERT_TRUE(waitForState(PushState::Connected));
  EXPECT_EQ(server.connections(), 2);
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 3; })) << "a reload for the new connection";
}

// Pings unanswered, or subscriptions never confirmed: the link counts as dead and is opened anew.
TEST_F(PushLinkScripted, aSilentServerIsGivenUpAndTriedAgain) {
  const struct {
    bool confirm;
    const char* reason;
  } cases[] = {
      {true, "ORCA から 1 秒間応答がありません"},
      {false, "ORCA が 1 秒以内に購読を受け付けませんでした"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reason);
    SilentPushServer server(c.confirm);
    statuses_.clear();
    startLink(server.url(), PushTimings{100, 800, 100, 400});
    ASSERT_TRUE(WaitUntil([&] { return server.connections() >= 2; }));
    link_->stop();
    const auto lost = std::find_if(statuses_.begin(), statuses_.end(),
                                   [](const PushStatus& s) { return s.state == PushState::Waiting; });
    ASSERT_NE(lost, statuses_.end());
    EXPECT_EQ(lost->reason, c.reason);
    const bool connected = std::any_of(statuses_.begin(), lost,
                                       [](const PushStatus& s) { return s.state == PushState::Connected; });
    EXPECT_EQ(connected, c.confirm);
  }
}

}  // namespace
