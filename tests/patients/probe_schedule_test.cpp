#include <gtest/gtest.h>

#include <QDateTime>
#include <vector>

#include "patients/probe_schedule.h"

namespace {

const QDateTime kListed(QDate(2024, 5, 1), QTime(9, 0));

QDateTime At(int minutes, int seconds = 0) {
  return kListed.addSecs(minutes * 60 + seconds);
}

}  // namespace

// Each case is a day of one patient: the reloads at which the schedule is asked, and whether each
// found the patient due (a due patient is probed at that reload).
TEST(ProbeSchedule, anUnmarkedPatientIsProbedWhenListedAndThenAfterOneToThirtyTwoMinutes) {
  struct Reload {
    QDateTime at;
    bool due;
  };
  struct Case {
    const char* what;
    std::vector<Reload> reloads;
  } cases[] = {
      {"every step at its minute",
       {{At(0), true},
        {At(0, 30), false},
        {At(1), true},
        {At(1, 59), false},
        {At(2), true},
        {At(3), false},
        {At(4), true},
        {At(8), true},
        {At(16), true},
        {At(31), false},
        {At(32), true},
        {At(33), false},
        {At(64), false},
        {At(600), false}}},
      {"a late reload catches up once, then waits for the next step",
       {{At(0), true}, {At(5), true}, {At(7, 59), false}, {At(8), true}}},
      {"no reload for an hour: one probe, then none",
       {{At(0), true}, {At(60), true}, {At(61), false}, {At(120), false}}},
  };
  for (const Case& c : cases) {
    ProbeSchedule schedule;
    for (const Reload& reload : c.reloads) {
      const bool due = schedule.due(QStringLiteral("12"), reload.at);
      EXPECT_EQ(due, reload.due) << c.what << " at " << kListed.secsTo(reload.at) << " s";
      if (due) schedule.probed(QStringLiteral("12"), reload.at);
    }
  }
}

TEST(ProbeSchedule, aPushedEventNamingThePatientMakesThemDueOnce) {
  ProbeSchedule schedule;
  schedule.probed(QStringLiteral("12"), At(0));
  ASSERT_FALSE(schedule.due(QStringLiteral("12"), At(0, 10)));
  schedule.named(QStringLiteral("00012"));  // as the event sends it
  EXPECT_TRUE(schedule.due(QStringLiteral(" 12 "), At(0, 20)));
  schedule.probed(QStringLiteral("12"), At(0, 20));
  EXPECT_FALSE(schedule.due(QStringLiteral("12"), At(0, 30)));
  EXPECT_TRUE(schedule.due(QStringLiteral("12"), At(1))) << "the schedule still counts from the first probe";
}

TEST(ProbeSchedule, patientsAreScheduledApart) {
  ProbeSchedule schedule;
  schedule.probed(QStringLiteral("1"), At(0));
  schedule.named(QStringLiteral("2"));  // not listed yet: nothing to remember
  EXPECT_FALSE(schedule.due(QStringLiteral("1"), At(0, 30)));
  EXPECT_TRUE(schedule.due(QStringLiteral("2"), At(0, 30)));
  EXPECT_TRUE(schedule.due(QStringLiteral("A0012"), At(0, 30)));
}
