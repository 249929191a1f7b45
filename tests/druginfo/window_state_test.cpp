#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "drug_info_fixture.h"

TEST_F(DrugInfoTest, opensInItsStartingStateWithoutSettingsFile) {
  ASSERT_TRUE(QFile::remove(path(QStringLiteral("user.ini"))));  // the fixture's PREPARE=0
  logic->FormShow();
  WaitUntilIdle(*logic);
  const DrugInfoControls& c = logic->controls();
  EXPECT_EQ(c.LabelDate.text, QStringLiteral("2024年05月01日"));
  EXPECT_EQ(c.LabelListState.text, QStringLiteral("全て"));
  EXPECT_EQ(c.BtnKaikeiMi.caption, QStringLiteral("受付中"));
  EXPECT_EQ(c.LabelSelfMonth.text, QStringLiteral("2024年05月"));
  EXPECT_EQ(rows(), QStringList{QStringLiteral("|||")});
  EXPECT_EQ(logic->currentDate(), QDate(2024, 5, 1));
  EXPECT_EQ(logic->listMode(), ListMode::All);
  EXPECT_EQ(logic->patientRow(), -1);
  EXPECT_EQ(logic->selfMonth(), QStringLiteral("2024-05"));
  EXPECT_EQ(logic->tainMonth(), QString());
  EXPECT_TRUE(logic->connection().baseUrl.isEmpty());
  EXPECT_EQ(c.TimerRefresh.intervalMs, 60000);
  EXPECT_TRUE(c.TimerRefresh.enabled);
  EXPECT_TRUE(orca.requests().isEmpty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("user.ini"))));
}

TEST_F(DrugInfoTest, startingControlsHoldTheirCaptions) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  const DrugInfoControls& c = logic->controls();
  EXPECT_EQ(c.ComboBoxSearch.items, (QStringList{QStringLiteral("カルテ番号"), QStringLiteral("漢字氏名")}));
  EXPECT_EQ(c.ComboBoxSearch.itemIndex, 0);
  EXPECT_EQ(c.EditSearch.imeMode, ImeMode::Closed);
  EXPECT_EQ(c.patientNumberLabel.text, QStringLiteral("カルテ番号"));
  EXPECT_EQ(c.patientNameLabel.text, QStringLiteral("漢字氏名"));
  EXPECT_EQ(c.LabelAge.text, QString());
  EXPECT_FALSE(c.BtnBack.visible);
  EXPECT_TRUE(c.MemoSelf.lines.isEmpty());
  EXPECT_TRUE(c.MemoTain.lines.isEmpty());
}

TEST_F(DrugInfoTest, patientGridResetsToHeaderAndOneBlankRow) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  const StringGrid& g = logic->controls().GridPatient;
  EXPECT_EQ(g.colCount(), 4);
  EXPECT_EQ(g.rowCount(), 2);
  const QStringList headers{QString(), QStringLiteral("カルテ番号"), QStringLiteral("患者氏名"),
                            QStringLiteral("マイナ")};
  const int widths[] = {30, 80, 100, 45};
  for (int col = 0; col < 4; ++col) {
    EXPECT_EQ(g.cell(col, 0), headers.at(col));
    EXPECT_EQ(g.colWidth(col), widths[col]);
  }
  EXPECT_EQ(g.fixedRows, 1);
  EXPECT_EQ(g.fixedCols, 0);
  EXPECT_EQ(g.defaultRowHeight, 20);
  EXPECT_TRUE(g.rowSelect);
}

TEST_F(DrugInfoTest, institutionGridEmptiesToItsStartingState) {
  StringGrid& g = logic->controls().GridInstitution;
  g.setColCount(14);
  g.setRowCount(6);
  g.setCell(0, 3, QStringLiteral("甲病院"));
  g.setCell(1, 1, QStringLiteral("○"));
  logic->ClearInstitutionGrid();
  WaitUntilIdle(*logic);
  EXPECT_EQ(g.colCount(), 2);
  EXPECT_EQ(g.rowCount(), 2);
  EXPECT_EQ(g.cell(0, 0), QStringLiteral("医療機関名"));
  EXPECT_EQ(g.cell(1, 0), QString());
  EXPECT_EQ(g.cell(0, 1), QString());
  EXPECT_EQ(g.cell(1, 1), QString());
  EXPECT_EQ(g.colWidth(0), 160);
  EXPECT_EQ(g.colWidth(1), 80);
  EXPECT_EQ(g.fixedRows, 1);
  EXPECT_EQ(g.fixedCols, 1);
  EXPECT_EQ(g.defaultRowHeight, 18);
}

TEST_F(DrugInfoTest, configuredWindowListsTodayOnShowing) {
  orca.configure();
  answerList({{QStringLiteral("00012"), QStringLiteral("山田　太郎"), QString()}});
  logic->FormShow();
  WaitUntilIdle(*logic);
  EXPECT_EQ(
      acceptanceBodies(),
      QStringList{QStringLiteral("<data>  <acceptlstreq type=\"record\">    <Acceptance_Date type=\"string\">"
                                 "2024-05-01</Acceptance_Date>  </acceptlstreq></data>")});
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|12|山田　太郎|")});
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DrugInfoTest, showingCreatesTheWorkingListsAndClosingDestroysThem) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  ASSERT_TRUE(logic->tainLists());
  EXPECT_TRUE(logic->tainLists()->prescriptions.isEmpty() && logic->tainLists()->monthList.isEmpty());
  logic->FormClose();
  WaitUntilIdle(*logic);
  EXPECT_FALSE(logic->tainLists());
}

TEST_F(DrugInfoTest, settingsMenuReloadsTheConnectionWithoutLoading) {
  orca.configure();
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("REFRESH"), QStringLiteral("30"));
  answerList({});
  logic->FormShow();
  WaitUntilIdle(*logic);
  ASSERT_EQ(logic->controls().TimerRefresh.intervalMs, 30000);
  ScriptedOrca other;
  other.answer(kAcceptPath, HttpAction::Ok(AcceptanceAnswer({{QStringLiteral("5"), QStringLiteral("乙")}})));
  ui.onOpenSettings = [&] {
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("URL"), other.baseUrl());
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("REFRESH"), QStringLiteral(" 120 "));
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("KIKANCD"), QStringLiteral(" 0000001 "));
  };
  orca.clearRecord();
  ui.events.clear();
  logic->MenuWebORCAClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(ui.events, QStringList{QStringLiteral("settings window")});
  EXPECT_EQ(logic->connection().baseUrl, other.baseUrl());
  EXPECT_EQ(logic->connection().ownInstitutionCode, QStringLiteral("0000001"));
  EXPECT_EQ(logic->controls().TimerRefresh.intervalMs, 120000);
  EXPECT_TRUE(orca.requests().isEmpty());
  EXPECT_TRUE(other.requests().isEmpty());
  logic->BtnTodayClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|5|乙|")});
}

TEST_F(DrugInfoTest, settingsWindowFailureEndsTheHandlerBeforeTheReload) {
  logic->FormShow();
  WaitUntilIdle(*logic);
  ui.onOpenSettings = [&] {
    orca.configure();
    throw std::runtime_error("settings window failed");
  };
  EXPECT_THROW(logic->MenuWebORCAClick(), std::runtime_error);
  WaitUntilIdle(*logic);
  EXPECT_TRUE(logic->connection().baseUrl.isEmpty());
}
