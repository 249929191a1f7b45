#include <gtest/gtest.h>

#include <QTimer>

#include "core/core_error.h"
#include "drug_info_fixture.h"
#include "windowmodel/handler_runner.h"

class HandlerRunnerTest : public DrugInfoTest {
 protected:
  QStringList reports;
  HandlerRunner runner{[this](const QString& type, const QString& message) {
    reports << type + QStringLiteral(": ") + message;
  }};
};

TEST_F(HandlerRunnerTest, timerTickDuringARequestIsDropped) {
  orca.configure();
  logic->GetWebORCAInfo();
  WaitUntilIdle(*logic);
  orca.answer(kAcceptPath, HttpAction::Ok(AcceptanceAnswer({})).after(300));
  std::optional<bool> tickRan;
  QTimer::singleShot(50, [&] {
    tickRan = runner.run([&] { logic->TimerRefreshTimer(); }, HandlerRunner::Policy::DropWhenBusy);
  });
  EXPECT_TRUE(runner.run([&] {
    logic->BtnTodayClick();
    WaitUntilIdle(*logic);  // the handler waits for its request, as a modal box would make it
  }));
  ASSERT_TRUE(tickRan.has_value()) << "the tick arrived while the request waited";
  EXPECT_FALSE(*tickRan);
  EXPECT_EQ(acceptanceRequests(), 1);
  EXPECT_TRUE(runner.run([&] { logic->TimerRefreshTimer(); }, HandlerRunner::Policy::DropWhenBusy));
  WaitUntilIdle(*logic);
  EXPECT_EQ(acceptanceRequests(), 2);
}

TEST_F(HandlerRunnerTest, userHandlerOfAModalWindowRunsWhileItsOpenerWaits) {
  bool inner = false;
  runner.run([&] { runner.run([&] { inner = true; }); });
  EXPECT_TRUE(inner);
}

TEST_F(HandlerRunnerTest, escapingErrorIsReportedAndTheProgramGoesOn) {
  EXPECT_TRUE(runner.run([] { throw CoreError(QStringLiteral("印刷できません")); }));
  EXPECT_TRUE(runner.run([] { throw std::runtime_error("no printer"); }));
  bool next = false;
  EXPECT_TRUE(runner.run([&] { next = true; }, HandlerRunner::Policy::DropWhenBusy));
  EXPECT_TRUE(next) << "the guard was released by the failed handlers";
  EXPECT_EQ(reports, (QStringList{QStringLiteral("CoreError: 印刷できません"),
                                  QStringLiteral("std::runtime_error: no printer")}));
}
