#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "drug_info_fixture.h"

namespace {
const QString kDrug = QStringLiteral("api01rv2/onlinedruggetv2");
const QString kMed = QStringLiteral("api01rv2/onlinemedgetv2");
const QString kSpec = QStringLiteral("api01rv2/onlinespecgetv2");
const HttpAction kEmpty = HttpAction::Ok("<xmlio2>\n</xmlio2>\n");
}  // namespace

class MarksTest : public DrugInfoTest {
 protected:
  void SetUp() override {
    DrugInfoTest::SetUp();
    orca.configure();
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("KIKANCD"), QStringLiteral(" 0000001 "));
    answerList({});
    logic->FormShow();
    WaitUntilIdle(*logic);
    orca.clearRecord();
  }
};

TEST_F(MarksTest, everyListLoadMarksPatientsWithOnlineInformation) {
  answerList({{QStringLiteral("1"), QStringLiteral("甲")},
              {QStringLiteral("2"), QStringLiteral("乙")},
              {QStringLiteral("3"), QStringLiteral("丙")}});
  orca.answer(kDrug, kEmpty);
  orca.answer(kMed, kEmpty);
  orca.answer(kSpec, kEmpty);
  orca.answer(kDrug, HttpAction::Ok(kOneMonthListed), QStringLiteral("1"));
  orca.answer(kMed, HttpAction::Ok("    <MeTrDiHCd type=\"string\">1310000001</MeTrDiHCd>\n"),
              QStringLiteral("3"));
  orca.answer(kSpec, HttpAction::Ok("    <EffectiveTime type=\"string\">2023-10-01</EffectiveTime>\n"),
              QStringLiteral("3"));
  oneRequestAtATime();
  logic->LoadPatientList();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(),
            (QStringList{QStringLiteral("1|1|甲|◎"), QStringLiteral("2|2|乙|"), QStringLiteral("3|3|丙|◎")}));
  EXPECT_EQ(
      orca.requestedPaths(),
      (QStringList{kAcceptPath, kDrug + QStringLiteral(" #1"), kDrug + QStringLiteral(" #2"),
                   kMed + QStringLiteral(" #2"), kSpec + QStringLiteral(" #2"), kDrug + QStringLiteral(" #3"),
                   kMed + QStringLiteral(" #3"), kSpec + QStringLiteral(" #3")}));
}

TEST_F(MarksTest, marksAreNeverCleared) {
  answerList({{QStringLiteral("1"), QStringLiteral("甲")}});
  orca.answer(kDrug, HttpAction::Ok(kOneMonthListed));
  logic->LoadPatientList();
  WaitUntilIdle(*logic);
  ASSERT_EQ(rows(), QStringList{QStringLiteral("1|1|甲|◎")});
  orca.answer(kDrug, HttpAction::Status(500));
  logic->CheckTainPermission();
  WaitUntilIdle(*logic);
  EXPECT_EQ(rows(), QStringList{QStringLiteral("1|1|甲|◎")});
}

TEST_F(MarksTest, blankPatientCellsSendNothing) {
  StringGrid& grid = logic->controls().GridPatient;
  grid.setRowCount(3);
  grid.setCell(1, 2, QStringLiteral(" \t"));
  logic->CheckTainPermission();
  WaitUntilIdle(*logic);
  EXPECT_TRUE(orca.requests().isEmpty());
  EXPECT_EQ(grid.cell(3, 1), QString());
}

TEST_F(MarksTest, patientNumberIsProbedTrimmed) {
  StringGrid& grid = logic->controls().GridPatient;
  grid.setCell(1, 1, QStringLiteral("  42 "));
  logic->CheckTainPermission();
  WaitUntilIdle(*logic);
  EXPECT_EQ(orca.requestedPaths(), QStringList{kDrug + QStringLiteral(" #42")});
}
