#include <gtest/gtest.h>

#include "drug_info_fixture.h"
#include "history_fixtures.h"

namespace {

DayEvent Event(const QString& day, const QString& name, const QString& code, const QString& drug) {
  return DayEvent{day, code, name,
                  {},  {},   {EventDrug{drug, QStringLiteral("1"), QStringLiteral("錠"), "14", {}}}};
}

const QString kMonth = QStringLiteral("api01rv2/medicalgetv2?class=03");
const QString kDrugs = QStringLiteral("api01rv2/onlinedruggetv2");

}  // namespace

// Patient 7, opened by number: みなと内科 dispensed on 2024-05-09 and 2024-04-12, さくら医院 on
// 2024-04-20, a check-up on 2024-04-02; nothing else is known.
class TainPanesTest : public DrugInfoTest {
 protected:
  void SetUp() override {
    DrugInfoTest::SetUp();
    logic->FormShow();
    WaitUntilIdle(*logic);
    orca.configure();
    orca.answer(QStringLiteral("api01rv2/patientgetv2?id=7"),
                HttpAction::Ok("<xmlio2>\n  <WholeName type=\"string\">試験　患者</WholeName>\n</xmlio2>\n"));
    orca.answerWhenBodyHolds(kDrugs, "<Request_Number type=\"string\">01</Request_Number>",
                             HttpAction::Ok(DrugSummaryAnswer(QString(), {{QStringLiteral("2024-05"), {}},
                                                                          {QStringLiteral("2024-04"), {}}})));
    orca.answerWhenBodyHolds(
        kDrugs, ">2024-05</MeTrMonth>",
        HttpAction::Ok(DrugEventsAnswer(QStringLiteral("2024-05"),
                                        {Event(QStringLiteral("09"), QStringLiteral("みなと内科"),
                                               QStringLiteral("1310000022"), QStringLiteral("甲錠"))})));
    orca.answerWhenBodyHolds(
        kDrugs, ">2024-04</MeTrMonth>",
        HttpAction::Ok(DrugEventsAnswer(QStringLiteral("2024-04"),
                                        {Event(QStringLiteral("12"), QStringLiteral("みなと内科"),
                                               QStringLiteral("1310000022"), QStringLiteral("乙錠")),
                                         Event(QStringLiteral("20"), QStringLiteral("さくら医院"),
                                               QStringLiteral("1310000033"), QStringLiteral("丙錠"))})));
    orca.answer(
        QStringLiteral("api01rv2/onlinespecgetv2"),
        HttpAction::Ok("<xmlio2>\n  <EffectiveTime type=\"string\">2024-04-02</EffectiveTime>\n</xmlio2>\n"));
    logic->GetWebORCAInfo();
    WaitUntilIdle(*logic);
    logic->controls().EditSearch.text = QStringLiteral("7");
    logic->BtnSearchClick();
    WaitUntilIdle(*logic);
    ASSERT_TRUE(ui.messages.empty());
    orca.clearRecord();
  }
};

TEST_F(TainPanesTest, overviewFillsTheGridThePanelAndTheText) {
  const DrugInfoControls& c = logic->controls();
  const StringGrid& g = c.GridInstitution;
  ASSERT_EQ(g.rowCount(), 4);
  ASSERT_EQ(g.colCount(), 3);
  EXPECT_EQ(
      (QStringList{g.cell(0, 0), g.cell(1, 0), g.cell(2, 0)}),
      (QStringList{QStringLiteral("医療機関名"), QStringLiteral("2024-05"), QStringLiteral("2024-04")}));
  EXPECT_EQ((QStringList{g.cell(0, 1), g.cell(1, 1), g.cell(2, 1)}),
            (QStringList{QStringLiteral("みなと内科"), QStringLiteral("○"), QStringLiteral("○")}));
  EXPECT_EQ((QStringList{g.cell(0, 3), g.cell(1, 3), g.cell(2, 3)}),
            (QStringList{QStringLiteral("特定健診"), QString(), QStringLiteral("T")}));
  EXPECT_EQ(g.colWidth(0), 160);
  EXPECT_EQ(g.colWidth(2), 80);
  EXPECT_EQ(g.fixedCols, 1);
  EXPECT_FALSE(g.verticalScrollBar);
  EXPECT_EQ(c.PanelTopGrid.height, 4 * 19 + 30);
  EXPECT_EQ(c.MemoTain.lines,
            (QStringList{QStringLiteral("2024.05.09　みなと内科"), QStringLiteral("甲錠　1錠"),
                         QStringLiteral("　　14日分"), QString(), QStringLiteral("2024.04.20　さくら医院"),
                         QStringLiteral("丙錠　1錠"), QStringLiteral("　　14日分")}));
}

TEST_F(TainPanesTest, doubleClickOnANamedRowShowsItsDetailAndBackReturns) {
  const QStringList overview = logic->controls().MemoTain.lines;
  logic->controls().LabelTainMonth.text = QStringLiteral("2023年06月");
  logic->GridInstitutionDblClick(2, 1);
  WaitUntilIdle(*logic);
  const DrugInfoControls& c = logic->controls();
  EXPECT_EQ(logic->selectedInst(), QStringLiteral("みなと内科"));
  EXPECT_TRUE(c.BtnBack.visible);
  EXPECT_EQ(c.LabelTainName.text, QStringLiteral("みなと内科"));
  EXPECT_EQ(c.LabelTainMonth.text, QString());
  EXPECT_EQ(c.MemoTain.lines,
            (QStringList{QStringLiteral("2024.05.09　みなと内科"), QStringLiteral("甲錠　1錠"),
                         QStringLiteral("　　14日分"), QString(), QStringLiteral("2024.04.12　みなと内科"),
                         QStringLiteral("乙錠　1錠"), QStringLiteral("　　14日分")}));
  // The check-up row has no records: an empty detail under its name.
  logic->GridInstitutionDblClick(0, 3);
  WaitUntilIdle(*logic);
  EXPECT_EQ(c.LabelTainName.text, QStringLiteral("特定健診"));
  EXPECT_TRUE(c.MemoTain.lines.isEmpty());

  logic->BtnBackClick();
  WaitUntilIdle(*logic);
  EXPECT_FALSE(c.BtnBack.visible);
  EXPECT_EQ(c.LabelTainName.text, QStringLiteral("他院"));
  EXPECT_EQ(c.MemoTain.lines, overview);
  EXPECT_TRUE(orca.requests().isEmpty());
}

TEST_F(TainPanesTest, headerRowAndPlacesOutsideTheCellsDoNothing) {
  for (const auto& [col, row] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{-1, -1}, std::pair{0, 4}}) {
    logic->GridInstitutionDblClick(col, row);
    WaitUntilIdle(*logic);
    EXPECT_FALSE(logic->controls().BtnBack.visible);
    EXPECT_EQ(logic->selectedInst(), QString());
  }
}

class SelfMonthWithoutPatientTest : public DrugInfoTest {};

TEST_F(SelfMonthWithoutPatientTest, monthButtonsWithoutAPatientChangeOnlyTheMonth) {
  logic->FormShow();
  WaitUntilIdle(*logic);  // 2024-05, the current month; no patient
  logic->controls().MemoSelf.lines = {QStringLiteral("2024.01.05")};
  logic->BtnSelfPrevMonthClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(logic->selfMonth(), QStringLiteral("2024-04"));
  EXPECT_EQ(logic->controls().LabelSelfMonth.text, QStringLiteral("2024年04月"));
  logic->BtnSelfNextMonthClick();
  WaitUntilIdle(*logic);
  logic->BtnSelfNextMonthClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(logic->controls().LabelSelfMonth.text, QStringLiteral("2024年06月"));
  EXPECT_EQ(logic->controls().MemoSelf.lines, QStringList{QStringLiteral("2024.01.05")});
  EXPECT_TRUE(orca.requests().isEmpty());
}

TEST_F(TainPanesTest, monthButtonWithAPatientAsksForTheNewMonth) {
  ASSERT_EQ(logic->selfMonth(), QStringLiteral("2024-05"));  // nothing found: the month asked for
  orca.answer(kMonth, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  logic->BtnSelfNextMonthClick();
  WaitUntilIdle(*logic);
  ASSERT_EQ(orca.requests().size(), 7);  // the month and the six before it
  EXPECT_TRUE(orca.requests().first().body.contains("<Perform_Date type=\"string\">2024-06</Perform_Date>"));
  EXPECT_EQ(logic->controls().LabelSelfMonth.text, QStringLiteral("2024年06月"));
  EXPECT_TRUE(logic->controls().MemoSelf.lines.isEmpty());
  EXPECT_FALSE(logic->working());
}
