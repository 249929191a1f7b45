// The push link and the live reload against the orca-sim executable over real sockets.
#include <QTcpServer>

#include "core/ini_file.h"
#include "push_fixture.h"
#include "wait_until.h"

namespace {

class PushLinkE2e : public PushTest {};

TEST_F(PushLinkE2e, aReceptionAddedInOrcaReloadsTheListOfItsDay) {
  startSim();
  startLink();
  ASSERT_TRUE(waitForState(PushState::Connected));
  EXPECT_EQ(live_->indicator().text, "自動更新");
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 1; })) << "a new connection reads the list once";

  ASSERT_EQ(simAccept(5), 200);
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 2; }));
  ASSERT_EQ(events_.size(), 1);
  EXPECT_EQ(events_[0].name, "patient_accept");
  EXPECT_EQ(events_[0].day, kSimToday);
  EXPECT_EQ(events_[0].patientId, "00005");

  ASSERT_EQ(simCall("/sim/account", 5), 200);  // billing changes what the list of the visit's day shows
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 3; }));
  ASSERT_EQ(events_.size(), 2);
  EXPECT_EQ(events_[1].name, "patient_account");
  EXPECT_EQ(events_[1].day, kSimToday);
}

TEST_F(PushLinkE2e, anEventForAnotherDayIsHeardButReloadsNothing) {
  startSim();
  live_->setDayShown(kSimToday.addDays(-1));
  startLink();
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 1; }));

  ASSERT_EQ(simAccept(5), 200);
  ASSERT_TRUE(WaitUntil([&] { return events_.size() == 1; }));
  EXPECT_EQ(events_[0].day, kSimToday);
  Pass(kCoalesceMs * 3);
  EXPECT_EQ(reloads_, 1);
}

TEST_F(PushLinkE2e, tenEventsWithinTheWindowAreOneReload) {
  startSim();
  startLink();
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 1; }));
  live_->setCoalesceMs(1000);  // as shipped; ten control calls in a row take a fraction of it

  for (int patient = 1; patient <= 10; ++patient) ASSERT_EQ(simAccept(patient), 200);
  ASSERT_TRUE(WaitUntil([&] { return events_.size() == 10; }));
  ASSERT_TRUE(WaitUntil([&] { return !live_->reloadPending(); }));
  EXPECT_EQ(reloads_, 2);

  ASSERT_EQ(simAccept(11), 200);  // after the window: a reload of its own
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 3; }));
}

TEST_F(PushLinkE2e, aRestartedSimulatorIsFoundAgainAndTheListReadOnce) {
  startSim();
  startLink();
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 1; }));

  sim_.kill();
  ASSERT_TRUE(waitForState(PushState::Waiting));
  EXPECT_EQ(live_->indicator().text, "定期更新");
  EXPECT_TRUE(live_->indicator().toolTip.startsWith("ORCA が接続を閉じました"))
      << live_->indicator().toolTip.toStdString();
  ASSERT_FALSE(sim_.restart().isEmpty());
  ASSERT_TRUE(waitForState(PushState::Connected));
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 2; }));
  Pass(kCoalesceMs * 3);
  EXPECT_EQ(reloads_, 2);

  ASSERT_EQ(simAccept(5), 200);  // subscribed again, not merely connected
  ASSERT_TRUE(WaitUntil([&] { return reloads_ == 3; }));
}

// A wrong key, an address without the push endpoint and a port nobody listens on: each attempt fails with
// its reason, the indicator falls back, and the pauses between attempts double up to the cap.
TEST_F(PushLinkE2e, aRefusedConnectionFallsBackAndIsRetriedEverMoreSlowly) {
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  const quint16 closedPort = closed.serverPort();
  closed.close();
  struct Case {
    QStringList simArguments;
    QString pushUrl;  // %1: the simulator's port
    QString reason;
  };
  const QList<Case> cases{
      {{"--key", "another"},
       "",
       "ORCA が認証を拒否しました（API ユーザーまたは API キーが違います、HTTP 401）"},
      {{}, "ws://127.0.0.1:%1/nows", "ORCA に通知の窓口がありません（接続先を確認してください、HTTP 404）"},
      {{}, QString("ws://127.0.0.1:%1/ws").arg(closedPort), "ORCA に接続できません（接続を拒否されました）"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason.toStdString());
    startSim(c.simArguments);
    IFWriteIniStr("PARAMA", "PUSHURL",
                  c.pushUrl.contains("%1") ? c.pushUrl.arg(QUrl(simUrl_).port()) : c.pushUrl);
    statuses_.clear();
    startLink();
    ASSERT_TRUE(WaitUntil([&] { return waitingCount() >= 4; }));
    link_->stop();
    QList<int> pauses;
    for (const PushStatus& s : std::as_const(statuses_)) {
      if (s.state != PushState::Waiting) continue;
      pauses << s.retryInMs;
      EXPECT_EQ(s.reason, c.reason);
    }
    EXPECT_EQ(pauses.mid(0, 4), (QList<int>{100, 200, 400, 400}));
    EXPECT_EQ(reloads_, 0);
    sim_.kill();
  }
  EXPECT_EQ(live_->indicator().text, "定期更新");
}

TEST_F(PushLinkE2e, theIndicatorTellsWhyWhileTheLinkIsDown) {
  startSim({"--key", "another"});
  startLink();
  ASSERT_TRUE(waitForState(PushState::Waiting));
  EXPECT_EQ(live_->indicator(),
            (PushIndicator{"定期更新",
                           "ORCA が認証を拒否しました（API ユーザーまたは API キーが違います、HTTP 401）\n"
                           "一覧は設定の更新間隔ごとに読み直します"}));
}

// Connected, lost and refused each write one line naming the address, never the key, even when the
// address in user.ini carries it.
TEST_F(PushLinkE2e, theLogTellsEveryChangeButNeverTheKey) {
  const QString key = "Kagi-7f3e";
  startSim({"--key", key});
  IFWriteIniStr("PARAMA", "APIKEY", key);
  const QString port = QString::number(QUrl(simUrl_).port());
  IFWriteIniStr("PARAMA", "PUSHURL", "ws://ormaster:" + key + "@127.0.0.1:" + port + "/ws");
  startLink();
  ASSERT_TRUE(waitForState(PushState::Connected));
  sim_.kill();
  ASSERT_TRUE(WaitUntil([&] { return waitingCount() >= 2; }));
  link_->stop();

  const QString address = "ws://127.0.0.1:" + port + "/ws";
  const QStringList log = logMessages();
  ASSERT_GE(log.size(), 4);
  EXPECT_EQ(log[0], "Push: 接続しました " + address);
  EXPECT_EQ(log[1], "Push: 切断されました " + address + ": ORCA が接続を閉じました（1 秒後に再接続）");
  EXPECT_EQ(log[2], "Push: 接続できません " + address +
                        ": ORCA に接続できません（接続を拒否されました）（1 秒後に再接続）");
  EXPECT_EQ(log.last(), "Push: 終了しました");
  const QString credentials = QString::fromLatin1(QByteArray("ormaster:" + key.toUtf8()).toBase64());
  for (const QString& line : log) {
    EXPECT_FALSE(line.contains(key)) << line.toStdString();
    EXPECT_FALSE(line.contains(credentials)) << line.toStdString();
  }
}

TEST_F(PushLinkE2e, pushTurnedOffOrWithoutAnAddressStaysOffAndSaysSo) {
  writeFile("user.ini", "[PARAMA]\r\nURL=http://127.0.0.1:1/api/\r\nPUSH=0\r\n");
  startLink();
  EXPECT_EQ(link_->status().state, PushState::Off);
  EXPECT_EQ(link_->status().reason, "自動更新はオフです（user.ini の PUSH=0）");
  writeFile("user.ini", "[PARAMA]\r\nPUSH=1\r\n");
  startLink();
  EXPECT_EQ(link_->status().state, PushState::Off);
  EXPECT_EQ(link_->status().reason,
            "ORCA の通知の接続先がありません（接続設定または PUSHURL を確認してください）");
  EXPECT_EQ(live_->indicator().text, "定期更新");
  EXPECT_EQ(logMessages(),
            (QStringList{
                "Push: オフ: 自動更新はオフです（user.ini の PUSH=0）",
                "Push: オフ: ORCA の通知の接続先がありません（接続設定または PUSHURL を確認してください）"}));
}

}  // namespace
