#include <gtest/gtest.h>

#include "check_fixtures.h"
#include "medcheck/check_request.h"
#include "qt_printers.h"

namespace {

TEST(CheckRequest, theBodyNamesPatientMonthTermAndEachCodeInOrder) {
  EXPECT_EQ(ContraindicationCheckBody(" 1002 ", "2025-06", 3, {"699000106", "699000111"}),
            "<data>  <contraindication_checkreq type=\"record\">"
            "    <Request_Number type=\"string\">01</Request_Number>"
            "    <Patient_ID type=\"string\">1002</Patient_ID>"
            "    <Perform_Month type=\"string\">2025-06</Perform_Month>"
            "    <Check_Term type=\"string\">3</Check_Term>"
            "    <Medical_Information type=\"array\">"
            "      <Medical_Information_child type=\"record\">"
            "        <Medication_Code type=\"string\">699000106</Medication_Code>"
            "      </Medical_Information_child>"
            "      <Medical_Information_child type=\"record\">"
            "        <Medication_Code type=\"string\">699000111</Medication_Code>"
            "      </Medical_Information_child>"
            "    </Medical_Information>"
            "  </contraindication_checkreq></data>");
  // A patient number from a file cannot change the request's structure.
  EXPECT_TRUE(ContraindicationCheckBody("1<2&", "2025-06", 12, {"699000106"})
                  .contains("<Patient_ID type=\"string\">1&lt;2&amp;</Patient_ID>    <Perform_Month "
                            "type=\"string\">2025-06</Perform_Month>    <Check_Term type=\"string\">12<"));
}

TEST(CheckRequest, distinctCheckableCodesNewestFirstTheRestUnchecked) {
  const QDate day(2025, 6, 1);
  const CodeSelection selection = SelectCodes(NewestFirst({
      InView("A", "ワルファリン錠", "699000111", "", day, 28),
      InView("B", "ロキソプロフェン錠", "699000106", "", day.addDays(4), 14),
      InView(kOwnClinic, "ワルファリン錠", "699000111", "", day.addDays(2), 28),
      InView("B", "市販薬", "", "", day.addDays(4), 0),
      InView("B", "市販薬", "", "", day.addDays(3), 0),  // the same drug of the same source once
      InView("C", "医療材料", "799000001", "", day.addDays(1), 0),
      InView("C", "短いコード", "69900010", "", day.addDays(1), 0),
  }));
  EXPECT_EQ(selection.codes, (QStringList{"699000106", "699000111"}));
  EXPECT_EQ(selection.unchecked, (QList<UncheckedDrug>{
                                     {{"市販薬", "", "B", day.addDays(4), 0}, "薬剤コードがありません"},
                                     {{"医療材料", "799000001", "C", day.addDays(1), 0},
                                      "ORCAで確認できない薬剤コードです（799000001）"},
                                     {{"短いコード", "69900010", "C", day.addDays(1), 0},
                                      "ORCAで確認できない薬剤コードです（69900010）"},
                                 }));
}

TEST(CheckRequest, thirtyNewestCodesAreCheckedAndTheRestListedAsNotChecked) {
  QList<DrugInView> drugs;
  const QDate first(2025, 1, 1);
  for (int i = 0; i < 32; ++i) {
    drugs << InView("A", QStringLiteral("薬%1").arg(i),
                    QStringLiteral("6990%1").arg(i, 5, 10, QLatin1Char('0')), "", first.addDays(i), 28);
  }
  const CodeSelection selection = SelectCodes(NewestFirst(drugs));
  ASSERT_EQ(selection.codes.size(), 30);
  EXPECT_EQ(selection.codes.first(), "699000031");  // the newest
  EXPECT_EQ(selection.codes.last(), "699000002");
  ASSERT_EQ(selection.unchecked.size(), 2);
  EXPECT_EQ(selection.unchecked[0].drug.name, "薬1");
  EXPECT_EQ(selection.unchecked[1].drug.name, "薬0");
  EXPECT_EQ(selection.unchecked[0].reason, "一度に確認できる30剤を超えたため確認していません");

  const QString body = ContraindicationCheckBody("7", "2025-02", 3, selection.codes);
  EXPECT_EQ(body.count("<Medication_Code type=\"string\">"), 30);
  EXPECT_LT(body.indexOf("699000031"), body.indexOf("699000030"));
  EXPECT_FALSE(body.contains("699000001"));
}

}  // namespace
