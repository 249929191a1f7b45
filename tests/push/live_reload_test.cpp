// The live reload's logic fed directly, and the small pure parts of the link: pauses and indicator texts.
#include <gtest/gtest.h>

#include "push/live_reload.h"
#include "push/reconnect_delay.h"
#include "wait_until.h"

namespace {

TEST(LiveReload, anEventOfTheDayShownWaitsForItsWindowAndAChangeOfDayDropsIt) {
  int reloads = 0;
  LiveReload live([&] { ++reloads; });
  live.setCoalesceMs(100);
  const QDate day(2025, 3, 14);
  live.setDayShown(day);

  live.eventArrived({"patient_accept", day.addDays(1), "00001"});
  EXPECT_FALSE(live.reloadPending());
  live.eventArrived({"patient_accept", day, "00001"});
  live.reloadWanted();  // a reconnection in the same window
  EXPECT_TRUE(live.reloadPending());
  ASSERT_TRUE(WaitUntil([&] { return reloads == 1; }));

  live.eventArrived({"patient_account", day, "00001"});
  live.setDayShown(day.addDays(-1));  // the window loads that day itself
  EXPECT_FALSE(live.reloadPending());
  Pass(300);
  EXPECT_EQ(reloads, 1);
}

// A lone event is reloaded once the events pause, long before the window ends; events that never pause
// are reloaded when the window ends all the same. (Each case makes the other limit far too long to be
// what ends the wait.)
TEST(LiveReload, theReloadComesWhenTheEventsPauseOrAtTheLatestWhenTheWindowEnds) {
  const QDate day(2025, 3, 14);
  const struct {
    const char* name;
    int windowMs;
    int quietMs;
    bool eventsGoOn;  // another event at every turn of the event loop until the reload
  } cases[] = {
      {"a pause ends the wait", 60000, 50, false},
      {"the window ends the wait", 100, 60000, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int reloads = 0;
    LiveReload live([&] { ++reloads; });
    live.setCoalesceMs(c.windowMs);
    live.setQuietMs(c.quietMs);
    live.setDayShown(day);
    live.eventArrived({"patient_accept", day, "00001"});
    EXPECT_TRUE(WaitUntil([&] {
      if (c.eventsGoOn && reloads == 0) live.eventArrived({"patient_accept", day, "00002"});
      return reloads > 0;
    }));
    EXPECT_EQ(reloads, 1);
  }
}

TEST(LiveReload, theIndicatorSaysAutomaticOnlyWhileConnected) {
  const QString timer = "一覧は設定の更新間隔ごとに読み直します";
  const struct {
    PushStatus status;
    PushIndicator indicator;
  } cases[] = {
      {{PushState::Connected, "", 0},
       {"自動更新", "ORCA の通知を受けて、受付の変更をすぐに一覧へ反映します"}},
      {{PushState::Waiting, "ORCA が接続を閉じました", 2000},
       {"定期更新", "ORCA が接続を閉じました\n" + timer}},
      {{PushState::Connecting, "ORCA の通知に接続しています", 0},
       {"定期更新", "ORCA の通知に接続しています\n" + timer}},
      {{PushState::Off, "", 0}, {"定期更新", timer}},
  };
  for (const auto& c : cases) EXPECT_EQ(IndicatorOf(c.status), c.indicator) << c.status.reason.toStdString();

  LiveReload live([] {});
  QList<PushIndicator> shown;
  QObject::connect(&live, &LiveReload::indicatorChanged, [&](const PushIndicator& i) { shown << i; });
  live.statusChanged(cases[0].status);
  live.statusChanged(cases[0].status);  // unchanged: nothing to repaint
  live.statusChanged(cases[1].status);
  EXPECT_EQ(shown, (QList<PushIndicator>{cases[0].indicator, cases[1].indicator}));
}

TEST(ReconnectDelay, doublesFromOneSecondUpToFiveMinutesAndStartsOverAfterAConnection) {
  ReconnectDelay delay(1000, 300000);
  QList<int> pauses;
  for (int i = 0; i < 11; ++i) pauses << delay.next();
  EXPECT_EQ(pauses,
            (QList<int>{1000, 2000, 4000, 8000, 16000, 32000, 64000, 128000, 256000, 300000, 300000}));
  delay.reset();
  EXPECT_EQ(delay.next(), 1000);

  const QList<QPair<int, QString>> texts{
      {100, "1 秒後"}, {1000, "1 秒後"}, {4000, "4 秒後"}, {90000, "90 秒後"}, {300000, "5 分後"}};
  for (const auto& [ms, text] : texts) EXPECT_EQ(RetryText(ms), text) << ms;
}

}  // namespace
