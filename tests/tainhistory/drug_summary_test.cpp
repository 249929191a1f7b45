#include <gtest/gtest.h>

#include "history_fixtures.h"
#include "orca/response_reader.h"
#include "tainhistory/drug_get_parse.h"
#include "temp_program_folder.h"

namespace {

const QString kSelf = QStringLiteral("9999999");

// One month of the drug summary: a prescriber behind a pharmacy, a clinic without prescriber, a
// pharmacy alone, and the clinic itself behind a pharmacy.
const QList<SummaryMonth> kMonths = {
    {QStringLiteral("2024-05"),
     {{QStringLiteral("1340000011"), QStringLiteral("みなと薬局"), QStringLiteral("1310000022"),
       QStringLiteral("さくら内科")},
      {QStringLiteral("1310000033"), QStringLiteral("ひかり医院"), QString(), QString()},
      {QStringLiteral("1340000044"), QStringLiteral("つばめ薬局"), QString(), QString()},
      {QStringLiteral("1340000011"), QStringLiteral("みなと薬局"), QStringLiteral("1319999999"),
       QStringLiteral("当院")}}},
    {QStringLiteral("2024-04"),
     {{QStringLiteral("1340000011"), QStringLiteral("みなと薬局"), QStringLiteral("1310000022"),
       QStringLiteral("さくら内科")}}},
};

// The same answer with each entry's prescriber lines before the dispensing name.
const char kPrescriberFirst[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<xmlio2>
  <onlinedruggetres type="record">
    <Patient_Information type="record">
      <BirthDate type="string">1958-04-12</BirthDate>
    </Patient_Information>
    <MeTrMonth_Information type="array">
      <MeTrMonth_Information_child type="record">
        <MeTrMonth type="string">2024-05</MeTrMonth>
        <MeTrD_Inf type="array">
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1340000011</MeTrDiHCd>
            <PrlsHCd type="string">1310000022</PrlsHCd>
            <PrlsHNm type="string">さくら内科</PrlsHNm>
            <MeTrDiHNm type="string">みなと薬局</MeTrDiHNm>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1310000033</MeTrDiHCd>
            <MeTrDiHNm type="string">ひかり医院</MeTrDiHNm>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1340000044</MeTrDiHCd>
            <MeTrDiHNm type="string">つばめ薬局</MeTrDiHNm>
          </MeTrD_Inf_child>
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1340000011</MeTrDiHCd>
            <PrlsHCd type="string">1319999999</PrlsHCd>
            <PrlsHNm type="string">当院</PrlsHNm>
            <MeTrDiHNm type="string">みなと薬局</MeTrDiHNm>
          </MeTrD_Inf_child>
        </MeTrD_Inf>
      </MeTrMonth_Information_child>
      <MeTrMonth_Information_child type="record">
        <MeTrMonth type="string">2024-04</MeTrMonth>
        <MeTrD_Inf type="array">
          <MeTrD_Inf_child type="record">
            <MeTrDiHCd type="string">1340000011</MeTrDiHCd>
            <PrlsHCd type="string">1310000022</PrlsHCd>
            <PrlsHNm type="string">さくら内科</PrlsHNm>
            <MeTrDiHNm type="string">みなと薬局</MeTrDiHNm>
          </MeTrD_Inf_child>
        </MeTrD_Inf>
      </MeTrMonth_Information_child>
    </MeTrMonth_Information>
  </onlinedruggetres>
</xmlio2>
)";

class DrugSummary : public TempProgramFolder {
 protected:
  bool parse(const QByteArray& answer, const QString& self = kSelf) {
    ParseOnlineDrugGet01(ResponseLines(answer), self, lists, &birthDate);
    return true;
  }
  TainLists lists;
  QString birthDate;
};

}  // namespace

TEST_F(DrugSummary, anEntryNamesItsPrescriberWhateverTheOrderOfItsLines) {
  const QStringList expected = {QStringLiteral("さくら内科|2024-05"), QStringLiteral("ひかり医院|2024-05"),
                                QStringLiteral("さくら内科|2024-04")};
  ASSERT_TRUE(parse(DrugSummaryAnswer(QStringLiteral("1958-04-12"), kMonths)));  // ORCA's order
  EXPECT_EQ(lists.institutionMonths, expected);
  EXPECT_EQ(lists.monthList, QStringList({QStringLiteral("2024-05"), QStringLiteral("2024-04")}));
  EXPECT_EQ(birthDate, QStringLiteral("1958-04-12"));

  TainLists inOrderOfDeclaration;
  std::swap(lists, inOrderOfDeclaration);
  ASSERT_TRUE(parse(QByteArray(kPrescriberFirst)));
  EXPECT_EQ(lists.institutionMonths, expected);
  EXPECT_EQ(lists.monthList, inOrderOfDeclaration.monthList);
}

// ORCA echoes the start month it was asked for above the month list, in a "no data" answer too: it
// is no month with drug information. The same answer on one line reads the same.
TEST_F(DrugSummary, onlyTheMonthListGivesMonthsWhateverTheLayout) {
  QByteArray echoed(kPrescriberFirst);
  echoed.replace(
      "    <MeTrMonth_Information type=\"array\">",
      "    <MeTrMonth type=\"string\">2024-06</MeTrMonth>\n    <MeTrMonth_Information type=\"array\">");
  QByteArray compact = echoed;
  compact.replace("\n", "").replace("  ", "");
  for (const QByteArray& answer : {echoed, compact}) {
    lists = TainLists();
    ASSERT_TRUE(parse(answer));
    EXPECT_EQ(lists.monthList, QStringList({QStringLiteral("2024-05"), QStringLiteral("2024-04")}));
    EXPECT_EQ(lists.institutionMonths,
              QStringList({QStringLiteral("さくら内科|2024-05"), QStringLiteral("ひかり医院|2024-05"),
                           QStringLiteral("さくら内科|2024-04")}));
    EXPECT_EQ(birthDate, QStringLiteral("1958-04-12"));
  }
  ASSERT_TRUE(parse(XmlIo2(QStringLiteral("onlinedruggetres"),
                           {ValueLine(2, QStringLiteral("Api_Result"), QStringLiteral("E50")),
                            ValueLine(2, QStringLiteral("MeTrMonth"), QStringLiteral("2024-06"))})));
  EXPECT_TRUE(lists.monthList.isEmpty());
}

TEST_F(DrugSummary, withoutAnOwnCodeTheClinicCountsLikeAnyOther) {
  ASSERT_TRUE(parse(DrugSummaryAnswer(QString(), kMonths), QString()));
  EXPECT_EQ(lists.institutionMonths,
            QStringList({QStringLiteral("さくら内科|2024-05"), QStringLiteral("ひかり医院|2024-05"),
                         QStringLiteral("当院|2024-05"), QStringLiteral("さくら内科|2024-04")}));
  EXPECT_TRUE(birthDate.isEmpty());
}

TEST_F(DrugSummary, entriesWithoutRecordEndsCloseAtTheNextMonthAndAtTheEnd) {
  ASSERT_TRUE(
      parse(QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n"
                       "<MeTrMonth_Information type=\"array\">\n"
                       "<MeTrMonth type=\"string\">2024-03</MeTrMonth>\n"
                       "<MeTrDiHCd type=\"string\">1310000033</MeTrDiHCd>\n"
                       "<MeTrDiHNm type=\"string\">ひかり医院</MeTrDiHNm>\n"
                       "<MeTrMonth type=\"string\">2024-02</MeTrMonth>\n"
                       "<MeTrDiHNm type=\"string\">ABCクリニック</MeTrDiHNm>\n"
                       "</MeTrMonth_Information>\n"
                       "</xmlio2>\n")));
  // The second entry has no code line and keeps the first one's.
  EXPECT_EQ(lists.institutionMonths,
            QStringList({QStringLiteral("ひかり医院|2024-03"), QStringLiteral("ABCクリニック|2024-02")}));
}

TEST_F(DrugSummary, anEntryWithoutCodeLinesKeepsThePreviousEffectiveCode) {
  // The second entry inherits the pharmacy code of the first, so it is not listed.
  ASSERT_TRUE(parse(XmlIo2(
      QStringLiteral("onlinedruggetres"),
      {ValueLine(2, QStringLiteral("MeTrMonth"), QStringLiteral("2024-05")),
       QStringLiteral("      <MeTrD_Inf_child type=\"record\">"),
       ValueLine(4, QStringLiteral("MeTrDiHCd"), QStringLiteral("1340000044")),
       ValueLine(4, QStringLiteral("MeTrDiHNm"), QStringLiteral("つばめ薬局")),
       QStringLiteral("      </MeTrD_Inf_child>"), QStringLiteral("      <MeTrD_Inf_child type=\"record\">"),
       ValueLine(4, QStringLiteral("MeTrDiHNm"), QStringLiteral("ひかり医院")),
       QStringLiteral("      </MeTrD_Inf_child>")})));
  EXPECT_TRUE(lists.institutionMonths.isEmpty());
}

TEST_F(DrugSummary, repeatedEntriesAreListedOnceIgnoringCaseAndListsAreEmptiedFirst) {
  lists.monthList = QStringList({QStringLiteral("2000-01")});
  lists.institutionMonths = QStringList({QStringLiteral("old|2000-01")});
  ASSERT_TRUE(parse(DrugSummaryAnswer(
      QString(), {{QStringLiteral("2024-05"),
                   {{QStringLiteral("1310000033"), QStringLiteral("ABC医院"), QString(), QString()},
                    {QStringLiteral("1310000034"), QStringLiteral("abc医院"), QString(), QString()}}},
                  {QStringLiteral("2024-05"), {}}})));
  EXPECT_EQ(lists.institutionMonths, QStringList({QStringLiteral("ABC医院|2024-05")}));
  EXPECT_EQ(lists.monthList, QStringList({QStringLiteral("2024-05")}));
}
