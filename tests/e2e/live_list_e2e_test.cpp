// The drug-information window kept current by ORCA's push notifications, against the orca-sim
// executable: its pushed events, its restarts and its refusals, with the refresh timer set to an hour
// so that whatever the list shows was brought by a push (or by a tick the test makes itself).
#include <gtest/gtest.h>

#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <algorithm>

#include "core/ini_file.h"
#include "e2e_fixture.h"
#include "sim_control.h"
#include "wait_until.h"

namespace {

// Longer than the reload window: what has not been asked for by then is not asked for at all.
constexpr int kLongerThanTheWindowMs = 1500;

class LiveListE2e : public EndToEndTest {
 protected:
  EndToEndRoad road() const override { return {"live", 4, {}}; }

  void SetUp() override {
    EndToEndTest::SetUp();
    if (HasFatalFailure()) return;
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSH"), QStringLiteral("1"));
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("REFRESH"), QStringLiteral("3600"));
    // The refresh timer as the view runs it.
    QObject::connect(&refreshTimer, &QTimer::timeout, [this] {
      ++ticks;
      logic->TimerRefreshTimer();
    });
  }
  void TearDown() override {
    EXPECT_TRUE(ui.messages.empty()) << "nothing of the live list shows a box";
    EXPECT_TRUE(ui.errors.isEmpty()) << ui.errors.join(QLatin1Char('\n')).toStdString();
    EndToEndTest::TearDown();
  }

  // Opens the window, and waits until the link stands and the list read after connecting is in.
  void open() {
    logic->FormShow();
    WaitUntilIdle(*logic);
    refreshTimer.start(logic->controls().TimerRefresh.intervalMs);
    ASSERT_TRUE(WaitUntil([this] { return linkIs(PushState::Connected); }));
    ASSERT_TRUE(settled());
  }
  bool linkIs(PushState state) const { return logic->push().status().state == state; }
  // No reload pending and no load running.
  bool settled() const {
    return WaitUntil([this] { return !logic->liveReload().reloadPending() && !logic->working(); });
  }
  int requests(const QString& pathPart = QStringLiteral("api01rv2/")) const {
    QFile log(path(QStringLiteral("Log.txt")));
    if (!log.open(QIODevice::ReadOnly)) return 0;
    const QStringList lines = QString::fromLocal8Bit(log.readAll()).split(QStringLiteral("\r\n"));
    return static_cast<int>(lines.filter(QStringLiteral(" API: ")).filter(pathPart).size());
  }
  int listRequests() const { return requests(QStringLiteral("acceptlstv2")); }
  int simAccept(int patient) const { return CallSim(simUrl, QStringLiteral("/sim/accept"), patient); }
  // Receptions made side by side, as a burst from ORCA's reception screen arrives; their HTTP statuses.
  QList<int> simAcceptAtOnce(const QList<int>& patients) const {
    QNetworkAccessManager manager;
    QList<QNetworkReply*> replies;
    for (int patient : patients) {
      QNetworkRequest request(QUrl(simUrl + QStringLiteral("/sim/accept")));
      request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
      request.setRawHeader("Authorization", "Basic " + QByteArray("ormaster:ormaster").toBase64());
      replies << manager.post(request, "Patient_ID=" + QByteArray::number(patient));
    }
    WaitUntil(
        [&] { return std::all_of(replies.begin(), replies.end(), [](auto* r) { return r->isFinished(); }); });
    QList<int> statuses;
    for (QNetworkReply* reply : replies) {
      statuses << reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
      reply->deleteLater();
    }
    return statuses;
  }
  QString lastPatientListed() const {
    const QStringList listed = rows();
    return listed.isEmpty() ? QString() : listed.constLast().section(QLatin1Char('|'), 1, 1);
  }

  QTimer refreshTimer;
  int ticks = 0;
};

TEST_F(LiveListE2e, aReceptionMadeInOrcaAppearsWithoutATimerTick) {
  open();
  const LabelModel& indicator = logic->controls().LabelPush;
  EXPECT_TRUE(indicator.visible);
  EXPECT_EQ(indicator.text, QStringLiteral("自動更新"));
  EXPECT_EQ(logic->controls().TimerRefresh.intervalMs, 3600 * 1000);
  const int listed = static_cast<int>(rows().size());
  logic->GridPatientSelectCell(1, 3);
  WaitUntilIdle(*logic);
  const QString selected = rows().at(2).section(QLatin1Char('|'), 1, 1);
  const int listsBefore = listRequests();

  ASSERT_EQ(simAccept(25), 200);
  EXPECT_TRUE(WaitUntil([&] { return rows().size() == listed + 1; }));
  EXPECT_EQ(lastPatientListed(), QStringLiteral("25"));
  EXPECT_EQ(ticks, 0) << "the push brought it, not the timer";
  ASSERT_TRUE(settled());
  EXPECT_EQ(listRequests(), listsBefore + 1);
  EXPECT_EQ(logic->patientRow(), 3);
  EXPECT_EQ(rows().at(2).section(QLatin1Char('|'), 1, 1), selected);

  // While the link stands, a tick of the timer asks for nothing: the pushes keep the list current.
  const int requestsBefore = requests();
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_EQ(requests(), requestsBefore);
}

// A pushed reception reads the list and probes the patients it names, not every unmarked one again.
TEST_F(LiveListE2e, aPushedReceptionProbesOnlyThePatientItNames) {
  open();
  const QStringList listed = rows();
  QString unmarked;
  int othersUnmarked = 0;
  for (const QString& row : listed) {
    if (!row.endsWith(QLatin1Char('|'))) continue;
    if (unmarked.isEmpty()) unmarked = row.section(QLatin1Char('|'), 1, 1);
    ++othersUnmarked;
  }
  ASSERT_GE(othersUnmarked, 2);

  int before = requests();
  ASSERT_EQ(simAccept(25), 200);  // not listed yet
  ASSERT_TRUE(WaitUntil([&] { return lastPatientListed() == QStringLiteral("25"); }));
  ASSERT_TRUE(settled());
  const int asked = requests() - before;
  EXPECT_GE(asked, 2) << "the list and the new patient's probes";
  EXPECT_LE(asked, 1 + 3) << "no other patient is probed again";

  before = requests();
  ASSERT_EQ(simAccept(unmarked.toInt()), 200);  // a second reception of an unmarked patient
  ASSERT_TRUE(WaitUntil([&] { return rows().size() == listed.size() + 2; }));
  ASSERT_TRUE(settled());
  const auto rowsOfIt = rows().filter(QStringLiteral("|") + unmarked + QStringLiteral("|")).size();
  EXPECT_EQ(requests() - before, 1 + 3 * static_cast<int>(rowsOfIt))
      << "the list, and the named patient's rows";
}

TEST_F(LiveListE2e, anEventForAnotherDayAsksForNothing) {
  open();
  logic->BtnPrevDayClick();
  WaitUntilIdle(*logic);
  ASSERT_TRUE(settled());
  int heard = 0;
  QObject::connect(&logic->push(), &PushLink::eventArrived, [&] { ++heard; });
  const int before = requests();

  ASSERT_EQ(simAccept(25), 200);  // received today
  ASSERT_TRUE(WaitUntil([&] { return heard == 1; }));
  Pass(kLongerThanTheWindowMs);
  EXPECT_FALSE(logic->liveReload().reloadPending());
  EXPECT_EQ(requests(), before);
}

// The simulator goes away without a goodbye, as a crash or a pulled cable would end it, and comes
// back on the same port: the link finds it again and the list is read once, for what it missed.
TEST_F(LiveListE2e, aRestartedSimulatorIsFoundAgainAndTheListReadOnce) {
  open();
  const int before = listRequests();

  sim.kill();
  ASSERT_TRUE(WaitUntil([&] { return linkIs(PushState::Waiting); }));
  EXPECT_EQ(logic->controls().LabelPush.text, QStringLiteral("定期更新"));
  EXPECT_TRUE(logic->controls().LabelPush.toolTip.startsWith(QStringLiteral("ORCA が接続を閉じました")))
      << logic->controls().LabelPush.toolTip.toStdString();

  ASSERT_FALSE(sim.restart().isEmpty());
  ASSERT_TRUE(WaitUntil([&] { return linkIs(PushState::Connected); }));
  EXPECT_EQ(logic->controls().LabelPush.text, QStringLiteral("自動更新"));
  EXPECT_TRUE(WaitUntil([&] { return listRequests() == before + 1; }));
  Pass(kLongerThanTheWindowMs);
  ASSERT_TRUE(settled());
  EXPECT_EQ(listRequests(), before + 1);
  EXPECT_EQ(ticks, 0);
}

// A link that cannot stand leaves the list to its timer, and the corner says so and why; with push
// notifications turned off the corner says nothing, as before there were any.
TEST_F(LiveListE2e, aRefusedLinkFallsBackToTheTimerAndSaysWhy) {
  OrcaSimProcess otherKey;
  const QString otherUrl = otherKey.start(today, {QStringLiteral("--key"), QStringLiteral("another")});
  ASSERT_FALSE(otherUrl.isEmpty());
  const QString ws = QStringLiteral("ws://127.0.0.1:%1%2");
  const struct {
    const char* name;
    QString push;
    QString pushUrl;
    PushState state;
    QString reason;
    bool shown;
  } cases[] = {
      {"credentials refused", "1", ws.arg(QUrl(otherUrl).port()).arg("/ws"), PushState::Waiting,
       "ORCA が認証を拒否しました（API ユーザーまたは API キーが違います、HTTP 401）", true},
      {"handshake refused", "1", ws.arg(QUrl(simUrl).port()).arg("/nows"), PushState::Waiting,
       "ORCA に通知の窓口がありません（接続先を確認してください、HTTP 404）", true},
      {"turned off", "0", "", PushState::Off, "自動更新はオフです（user.ini の PUSH=0）", false},
  };
  int patient = 20;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSH"), c.push);
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSHURL"), c.pushUrl);
    logic = std::make_unique<DrugInfoLogic>(ui);
    logic->FormShow();
    WaitUntilIdle(*logic);
    ASSERT_TRUE(WaitUntil([&] { return linkIs(c.state); }));
    const LabelModel& indicator = logic->controls().LabelPush;
    EXPECT_EQ(indicator.visible, c.shown);
    EXPECT_EQ(indicator.text, QStringLiteral("定期更新"));
    EXPECT_TRUE(indicator.toolTip.startsWith(c.reason + QLatin1Char('\n')))
        << indicator.toolTip.toStdString();

    const int listed = static_cast<int>(rows().size());
    ASSERT_EQ(simAccept(++patient), 200);
    logic->TimerRefreshTimer();
    WaitUntilIdle(*logic);
    EXPECT_EQ(rows().size(), listed + 1) << "the timer still refreshes";
    EXPECT_EQ(lastPatientListed(), QString::number(patient));
    logic->FormClose();
    WaitUntilIdle(*logic);
  }
}

// The settings window may have changed where and as whom the link connects: a link that could not
// stand follows the new settings at once; one that stands, with nothing changed, is left alone.
TEST_F(LiveListE2e, theLinkFollowsTheSettingsWindow) {
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSHURL"),
                QStringLiteral("ws://127.0.0.1:%1/nows").arg(QUrl(simUrl).port()));
  logic->FormShow();
  WaitUntilIdle(*logic);
  ASSERT_TRUE(WaitUntil([&] { return linkIs(PushState::Waiting); }));
  ui.onOpenSettings = [] { IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSHURL"), QString()); };
  logic->MenuWebORCAClick();
  WaitUntilIdle(*logic);
  ASSERT_TRUE(WaitUntil([&] { return linkIs(PushState::Connected); }));
  EXPECT_EQ(logic->controls().LabelPush.text, QStringLiteral("自動更新"));
  ASSERT_TRUE(settled());

  const int before = requests();
  ui.onOpenSettings = nullptr;
  logic->MenuWebORCAClick();
  WaitUntilIdle(*logic);
  Pass(kLongerThanTheWindowMs);
  EXPECT_EQ(logMessages().filter(QStringLiteral("Push: 接続しました")).size(), 1);
  EXPECT_EQ(requests(), before) << "no reconnection, so no reload";
}

TEST_F(LiveListE2e, tenReceptionsAtOnceAreOneReload) {
  open();
  const int listed = static_cast<int>(rows().size());
  const int before = listRequests();

  const QList<int> patients{21, 22, 23, 24, 25, 26, 27, 28, 29, 30};
  EXPECT_EQ(simAcceptAtOnce(patients), QList<int>(patients.size(), 200));
  EXPECT_TRUE(WaitUntil([&] { return rows().size() == listed + patients.size(); }));
  Pass(kLongerThanTheWindowMs);
  ASSERT_TRUE(settled());
  EXPECT_EQ(listRequests(), before + 1);
}

TEST_F(LiveListE2e, closingTheWindowClosesTheSocket) {
  open();
  logic->FormClose();
  WaitUntilIdle(*logic);
  EXPECT_TRUE(linkIs(PushState::Off));
  EXPECT_TRUE(WaitUntil([&] { return !logic->push().closing(); }))
      << "the simulator answered the goodbye and the socket is gone";
  const int before = requests();

  ASSERT_EQ(simAccept(25), 200);
  Pass(kLongerThanTheWindowMs);
  EXPECT_EQ(requests(), before);
  EXPECT_EQ(logMessages().filter(QStringLiteral("Push: ")).constLast(), QStringLiteral("Push: 終了しました"));
}

// The list answers slowly, so that a change is pushed while a load of the list runs.
class SlowListE2e : public LiveListE2e {
 protected:
  EndToEndRoad road() const override {
    return {"slowList", 4, {QStringLiteral("--fail"), QStringLiteral("acceptlstv2=wait:2000")}};
  }
};

// The load under way may have read the list before the reception was made: the reload the push asks
// for follows it instead of being dropped as a timer tick would be.
TEST_F(SlowListE2e, aChangePushedWhileTheListLoadsIsReadAfterThatLoad) {
  open();
  const int listed = static_cast<int>(rows().size());
  const int before = listRequests();

  logic->BtnTodayClick();
  Pass(200);  // the list's request is at the simulator
  ASSERT_EQ(simAccept(25), 200);
  ASSERT_TRUE(logic->working());
  EXPECT_TRUE(WaitUntil([&] { return rows().size() == listed + 1; }));
  ASSERT_TRUE(settled());
  EXPECT_EQ(lastPatientListed(), QStringLiteral("25"));
  EXPECT_EQ(listRequests(), before + 2);
}

// A search whose hits replace the list cancels the load under way, and the reload owed to it goes too:
// the hits stay until the user goes back to the list.
TEST_F(SlowListE2e, hitsOfASearchAreNotReplacedByAReloadOwedToTheListTheyReplaced) {
  open();
  int heard = 0;
  QObject::connect(&logic->push(), &PushLink::eventArrived, [&] { ++heard; });
  const int before = listRequests();

  logic->BtnTodayClick();
  ASSERT_EQ(simAccept(25), 200);
  ASSERT_TRUE(WaitUntil([&] { return heard == 1 && !logic->liveReload().reloadPending(); }));
  ASSERT_TRUE(logic->working()) << "the reload waits for the load under way";
  logic->controls().ComboBoxSearch.itemIndex = static_cast<int>(SearchKind::Name);
  logic->ComboBoxSearchChange();
  logic->controls().EditSearch.text = QStringLiteral("山");
  logic->EditSearchKeyPress(QChar(13));
  WaitUntilIdle(*logic);
  const QStringList hits = rows();
  ASSERT_GT(hits.size(), 1);
  for (const QString& hit : hits)
    EXPECT_TRUE(hit.section(QLatin1Char('|'), 2, 2).contains(QStringLiteral("山")));

  Pass(kLongerThanTheWindowMs);
  ASSERT_TRUE(settled());
  EXPECT_EQ(rows(), hits);
  EXPECT_EQ(listRequests(), before + 1) << "only the load the search cancelled";
}

}  // namespace

// ORCA without WebORCA: the list's requests find the classic path, and the pushes come from ORCA's
// pusher on a port of its own.
class ClassicLiveListE2e : public LiveListE2e {
 protected:
  EndToEndRoad road() const override {
    return {
        "liveClassic", 4, {QStringLiteral("--classic"), QStringLiteral("--push-port"), QStringLiteral("0")}};
  }
};

TEST_F(ClassicLiveListE2e, aReceptionReachesTheListFromThePusherNamedInPushUrl) {
  ASSERT_FALSE(sim.pushUrl().isEmpty());
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSHURL"), sim.pushUrl());
  open();
  const int listed = static_cast<int>(rows().size());
  ASSERT_EQ(simAccept(25), 200);
  EXPECT_TRUE(WaitUntil([&] { return rows().size() == listed + 1; }));
  EXPECT_EQ(lastPatientListed(), QStringLiteral("25"));
  EXPECT_EQ(ticks, 0);
}

// Without PUSHURL the link goes where ORCA 5.2's pusher listens once the first request has found a
// classic server: port 9400 of its host.
TEST_F(ClassicLiveListE2e, withoutPushUrlTheLinkLooksForThePusherOnItsOwnPort) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  EXPECT_TRUE(WaitUntil([this] {
    QFile log(path(QStringLiteral("Log.txt")));
    return log.open(QIODevice::ReadOnly) &&
           QString::fromLocal8Bit(log.readAll()).contains(QStringLiteral(" ws://127.0.0.1:9400/ws"));
  }));
  EXPECT_TRUE(logic->client().usesClassicForm());
  ASSERT_TRUE(settled());
  EXPECT_EQ(rows().size(), 22);
  logic->FormClose();
  WaitUntilIdle(*logic);
}
