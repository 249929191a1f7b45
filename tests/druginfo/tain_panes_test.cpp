#include <gtest/gtest.h>

#include "drug_info_fixture.h"

namespace {

TPrescription Event(const QString& name, const QString& code, const QString& date, const QString& drug) {
  return TPrescription{
      name, code, date, {TDrugItem{drug, QStringLiteral("1"), QStringLiteral("錠"), 14, {}}}};
}

const QString kMonth = QStringLiteral("api01rv2/medicalgetv2?class=03");

}  // namespace

class TainPanesTest : public DrugInfoTest {
 protected:
  void SetUp() override {
    DrugInfoTest::SetUp();
    logic->FormShow();
    TainLists& lists = *logic->FTainLists;
    lists.FPrescList = {Event(QStringLiteral("みなと内科"), QStringLiteral("1310000022"),
                              QStringLiteral("20240509"), QStringLiteral("甲錠")),
                        Event(QStringLiteral("みなと内科"), QStringLiteral("1310000022"),
                              QStringLiteral("20240412"), QStringLiteral("乙錠")),
                        Event(QStringLiteral("さくら医院"), QStringLiteral("1310000033"),
                              QStringLiteral("20240420"), QStringLiteral("丙錠"))};
    lists.FTkkDates = {QStringLiteral("2024-04-02")};
    logic->DisplayTainYakureki();
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
  const DrugInfoControls& c = logic->controls();
  EXPECT_EQ(logic->FSelectedInst, QStringLiteral("みなと内科"));
  EXPECT_TRUE(c.BtnBack.visible);
  EXPECT_EQ(c.LabelTainName.text, QStringLiteral("みなと内科"));
  EXPECT_EQ(c.LabelTainMonth.text, QString());
  EXPECT_EQ(c.MemoTain.lines,
            (QStringList{QStringLiteral("2024.05.09　みなと内科"), QStringLiteral("甲錠　1錠"),
                         QStringLiteral("　　14日分"), QString(), QStringLiteral("2024.04.12　みなと内科"),
                         QStringLiteral("乙錠　1錠"), QStringLiteral("　　14日分")}));
  // The check-up row has no records: an empty detail under its name.
  logic->GridInstitutionDblClick(0, 3);
  EXPECT_EQ(c.LabelTainName.text, QStringLiteral("特定健診"));
  EXPECT_TRUE(c.MemoTain.lines.isEmpty());

  logic->BtnBackClick();
  EXPECT_FALSE(c.BtnBack.visible);
  EXPECT_EQ(c.LabelTainName.text, QStringLiteral("他院"));
  EXPECT_EQ(c.MemoTain.lines, overview);
  EXPECT_TRUE(orca.requests().isEmpty());
}

TEST_F(TainPanesTest, headerRowAndPlacesOutsideTheCellsDoNothing) {
  for (const auto& [col, row] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{-1, -1}, std::pair{0, 4}}) {
    logic->GridInstitutionDblClick(col, row);
    EXPECT_FALSE(logic->controls().BtnBack.visible);
    EXPECT_EQ(logic->FSelectedInst, QString());
  }
}

TEST_F(TainPanesTest, monthButtonsWithoutAPatientChangeOnlyTheMonth) {
  logic->controls().MemoSelf.lines = {QStringLiteral("2024.01.05")};
  logic->FSelfMonth = QStringLiteral("2024-01");
  logic->BtnSelfPrevMonthClick();
  EXPECT_EQ(logic->FSelfMonth, QStringLiteral("2023-12"));
  EXPECT_EQ(logic->controls().LabelSelfMonth.text, QStringLiteral("2023年12月"));
  logic->BtnSelfNextMonthClick();
  logic->BtnSelfNextMonthClick();
  EXPECT_EQ(logic->controls().LabelSelfMonth.text, QStringLiteral("2024年02月"));
  EXPECT_EQ(logic->controls().MemoSelf.lines, QStringList{QStringLiteral("2024.01.05")});
  EXPECT_TRUE(orca.requests().isEmpty());
}

TEST_F(TainPanesTest, monthButtonWithAPatientAsksForTheNewMonth) {
  orca.configure();
  logic->GetWebORCAInfo();
  logic->FPatientID = QStringLiteral(" 7 ");
  logic->FSelfMonth = QStringLiteral("2024-01");
  orca.answer(kMonth, HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  logic->BtnSelfNextMonthClick();
  ASSERT_EQ(orca.requests().size(), 7);  // the month and the six before it
  EXPECT_TRUE(orca.requests().first().body.contains("<Perform_Date type=\"string\">2024-02</Perform_Date>"));
  EXPECT_EQ(logic->controls().LabelSelfMonth.text, QStringLiteral("2024年02月"));
  EXPECT_TRUE(logic->controls().MemoSelf.lines.isEmpty());
  EXPECT_EQ(ui.busyDepth, 0);
}
