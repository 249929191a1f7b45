#include <gtest/gtest.h>

#include "drug_info_fixture.h"

class ListRefreshTest : public DrugInfoTest {
 protected:
  void SetUp() override {
    DrugInfoTest::SetUp();
    orca.configure();
    answerList({{QStringLiteral("1"), QStringLiteral("甲")},
                {QStringLiteral("2"), QStringLiteral("乙"), QStringLiteral("10:00:00")},
                {QStringLiteral("3"), QStringLiteral("丙")}});
    logic->FormShow();
    WaitUntilIdle(*logic);
    orca.clearRecord();
  }
  void select(int row) {
    logic->controls().GridPatient.setRow(row);
    logic->GridPatientSelectCell(1, row);
    WaitUntilIdle(*logic);
  }
};

TEST_F(ListRefreshTest, selectingACellRemembersItsRow) {
  select(2);
  EXPECT_EQ(logic->patientRow(), 2);
}

TEST_F(ListRefreshTest, modeButtonSwitchesAndTheSelectionFollowsThePatient) {
  select(3);
  logic->controls().EditSearch.text = QStringLiteral("山");
  logic->BtnKaikeiMiClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(logic->listMode(), ListMode::InProgress);
  EXPECT_EQ(logic->controls().LabelListState.text, QStringLiteral("受付中"));
  EXPECT_EQ(logic->controls().BtnKaikeiMi.caption, QStringLiteral("全て"));
  EXPECT_EQ(logic->controls().EditSearch.text, QString());
  EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|1|甲|"), QStringLiteral("2|3|丙|")}));
  EXPECT_EQ(logic->patientRow(), 2);
  EXPECT_EQ(logic->controls().GridPatient.row(), 2);

  logic->BtnKaikeiMiClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(logic->controls().LabelListState.text, QStringLiteral("全て"));
  EXPECT_EQ(logic->controls().BtnKaikeiMi.caption, QStringLiteral("受付中"));
  EXPECT_EQ(logic->patientRow(), 3);
  EXPECT_EQ(acceptanceRequests(), 2);
}

TEST_F(ListRefreshTest, modeButtonWithoutSelectionReselectsNothing) {
  logic->BtnKaikeiMiClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(acceptanceRequests(), 1);
  EXPECT_EQ(logic->patientRow(), -1);
}

// A row index outlives its patient only to open somebody else: once the rows are refilled, no row
// is selected and none is highlighted until the patient is found again or the user picks one.
TEST_F(ListRefreshTest, aRefillWithoutTheSelectedPatientSelectsNothing) {
  select(2);
  logic->BtnKaikeiMiClick();
  WaitUntilIdle(*logic);  // patient 2 is billed and drops out
  EXPECT_EQ(logic->patientRow(), -1);
  EXPECT_EQ(logic->controls().GridPatient.row(), -1);

  select(2);
  logic->BtnPrevDayClick();
  WaitUntilIdle(*logic);  // another day: its row 2 is another patient
  EXPECT_EQ(logic->patientRow(), -1);
  EXPECT_EQ(logic->controls().GridPatient.row(), -1);
  orca.clearRecord();
  logic->GridPatientDblClick();
  WaitUntilIdle(*logic);
  EXPECT_TRUE(orca.requests().isEmpty());
}

TEST_F(ListRefreshTest, timerRefreshesTodayWithPaintingSuspendedAndFollowsTheSelection) {
  select(1);
  answerList({{QStringLiteral("9"), QStringLiteral("新")}, {QStringLiteral("1"), QStringLiteral("甲")}});
  ui.events.clear();
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_EQ(acceptanceRequests(), 1);
  EXPECT_EQ(rows(), (QStringList{QStringLiteral("1|9|新|"), QStringLiteral("2|1|甲|")}));
  EXPECT_EQ(logic->patientRow(), 2);
  EXPECT_EQ(logic->controls().GridPatient.row(), 2);
  ASSERT_GE(ui.events.size(), 2);
  EXPECT_EQ(ui.events.constFirst(), QStringLiteral("suspend GridPatient"));
  EXPECT_EQ(ui.events.constLast(), QStringLiteral("resume GridPatient"));
}

TEST_F(ListRefreshTest, timerLeavesTheListAndItsPaintingAloneWhenTheLoadFails) {
  orca.answer(kAcceptPath, HttpAction::Status(503));
  ui.events.clear();
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_EQ(ui.events.count(QStringLiteral("suspend GridPatient")),
            ui.events.count(QStringLiteral("resume GridPatient")));
  EXPECT_EQ(rows().size(), 3);
}

TEST_F(ListRefreshTest, timerLeavesOtherDaysAlone) {
  logic->BtnPrevDayClick();
  WaitUntilIdle(*logic);
  orca.clearRecord();
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_TRUE(orca.requests().isEmpty());
  logic->BtnTodayClick();
  WaitUntilIdle(*logic);
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_EQ(acceptanceRequests(), 2);
}

TEST_F(ListRefreshTest, nextDayShownBeforeMidnightIsRefreshedAfterIt) {
  setClock(QDate(2024, 5, 1), QTime(23, 59));
  logic->BtnNextDayClick();
  WaitUntilIdle(*logic);
  orca.clearRecord();
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_EQ(acceptanceRequests(), 0);
  setClock(QDate(2024, 5, 2), QTime(0, 0, 30));
  logic->TimerRefreshTimer();
  WaitUntilIdle(*logic);
  EXPECT_EQ(acceptanceRequests(), 1);
  EXPECT_TRUE(acceptanceBodies().constFirst().contains(QStringLiteral(">2024-05-02<")));
}
