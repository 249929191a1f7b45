#include <gtest/gtest.h>

#include "history_fixtures.h"
#include "tainhistory/drug_get_parse.h"
#include "temp_program_folder.h"

namespace {

// Two days: a prescription dispensed by a pharmacy, then a clinic's own dispensing without drugs.
const char kMay[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<xmlio2>
  <onlinedruggetres type="record">
    <Api_Result type="string">000</Api_Result>
    <MeTrMonth type="string">2099-12</MeTrMonth>
    <MeTrMonthInf type="array">
      <MeTrMonthInf_child type="record">
        <InOut type="string">2</InOut>
        <DiDateInfs type="record">
          <DiDateInf type="array">
            <DiDateInf_child type="record">
              <DiDay type="string">09</DiDay>
              <MeTrDiHCd type="string">1340000011</MeTrDiHCd>
              <MeTrDiHNm type="string">みなと薬局</MeTrDiHNm>
              <PrlsHCd type="string">1310000022</PrlsHCd>
              <PrlsHNm type="string">みなと内科クリニック</PrlsHNm>
              <DrugInfs type="record">
                <DrugInf type="array">
                  <DrugInf_child type="record">
                    <MeTrIdCl type="string">21</MeTrIdCl>
                    <DrugC type="string">699000101</DrugC>
                    <DrugN type="string">アムロジピン錠5mg</DrugN>
                    <IngreN type="string">アムロジピンベシル酸塩</IngreN>
                    <Unit type="string">錠</Unit>
                    <Qua1 type="string">1</Qua1>
                    <Times type="string">28</Times>
                  </DrugInf_child>
                  <DrugInf_child type="record">
                    <MeTrIdCl type="string">23</MeTrIdCl>
                    <DrugN type="string">ケトプロフェンテープ20mg &amp; 〈外用〉</DrugN>
                    <Unit type="string">枚</Unit>
                    <Qua1 type="string">14</Qua1>
                  </DrugInf_child>
                </DrugInf>
              </DrugInfs>
            </DiDateInf_child>
            <DiDateInf_child type="record">
              <DiDay type="string">20</DiDay>
              <MeTrDiHCd type="string">1310000033</MeTrDiHCd>
              <MeTrDiHNm type="string">ひかり医院</MeTrDiHNm>
              <PrlsHNm type="string">使われない名前</PrlsHNm>
            </DiDateInf_child>
          </DiDateInf>
        </DiDateInfs>
      </MeTrMonthInf_child>
      <MeTrMonthInf_child type="record">
        <InOut type="string">1</InOut>
      </MeTrMonthInf_child>
      <MeTrMonthInf_child type="record">
        <DiDateInfs type="record">
          <DiDateInf type="array">
            <DiDateInf_child type="record">
              <DiDay type="string">31</DiDay>
              <PrlsHCd type="string">1310000044</PrlsHCd>
            </DiDateInf_child>
          </DiDateInf>
        </DiDateInfs>
      </MeTrMonthInf_child>
    </MeTrMonthInf>
  </onlinedruggetres>
</xmlio2>
)";

class DrugEvents : public TempProgramFolder {
 protected:
  bool parse(const QByteArray& answer, const QString& month = QStringLiteral("2024-05")) {
    return ParseOnlineDrugGet02(answer, month, lists);
  }
  TainLists lists;
};

void ExpectDrug(const TDrugItem& d, const char* name, const char* quantity, const char* unit, int kai,
                const char* cls) {
  EXPECT_EQ(d.SryName, QString::fromUtf8(name));
  EXPECT_EQ(d.Suryo, QString::fromUtf8(quantity));
  EXPECT_EQ(d.Tani, QString::fromUtf8(unit));
  EXPECT_EQ(d.Kai, kai);
  EXPECT_EQ(d.SryKbn, QString::fromUtf8(cls));
}

}  // namespace

TEST_F(DrugEvents, everyDayOfEveryMonthItemBecomesARecordInDocumentOrder) {
  ASSERT_TRUE(parse(QByteArray(kMay)));
  ASSERT_EQ(lists.prescriptions.size(), 3);

  const TPrescription& prescribed = lists.prescriptions[0];
  EXPECT_EQ(prescribed.InstitutionName, QStringLiteral("みなと内科クリニック"));
  EXPECT_EQ(prescribed.InstitutionCd, QStringLiteral("1310000022"));
  EXPECT_EQ(prescribed.PrescDate, QStringLiteral("20240509"));  // year and month of the month asked
  ASSERT_EQ(prescribed.Drugs.size(), 2);
  ExpectDrug(prescribed.Drugs[0], "アムロジピン錠5mg", "1", "錠", 28, "21");
  ExpectDrug(prescribed.Drugs[1], "ケトプロフェンテープ20mg & 〈外用〉", "14", "枚", 0, "23");
  // Code and ingredient are what the medication check compares; absent ones read as empty.
  EXPECT_EQ(prescribed.Drugs[0].DrugC, QStringLiteral("699000101"));
  EXPECT_EQ(prescribed.Drugs[0].IngreN, QStringLiteral("アムロジピンベシル酸塩"));
  EXPECT_EQ(prescribed.Drugs[1].DrugC, QString());
  EXPECT_EQ(prescribed.Drugs[1].IngreN, QString());

  // Without a prescriber code both code and name are the dispensing institution's.
  const TPrescription& dispensed = lists.prescriptions[1];
  EXPECT_EQ(dispensed.InstitutionName, QStringLiteral("ひかり医院"));
  EXPECT_EQ(dispensed.InstitutionCd, QStringLiteral("1310000033"));
  EXPECT_EQ(dispensed.PrescDate, QStringLiteral("20240520"));
  EXPECT_TRUE(dispensed.Drugs.isEmpty());

  // A prescriber code without a name leaves the name empty.
  EXPECT_EQ(lists.prescriptions[2].InstitutionCd, QStringLiteral("1310000044"));
  EXPECT_TRUE(lists.prescriptions[2].InstitutionName.isEmpty());
}

TEST_F(DrugEvents, timesBecomeDaysOnlyWhenAWholeNumber) {
  struct Case {
    const char* times;
    int kai;
  } cases[] = {{"14", 14}, {"", 0}, {"1.5", 0}, {"abc", 0}, {"0", 0}, {"99999999999", 0}, {"-3", -3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.times);
    lists.prescriptions.clear();
    ASSERT_TRUE(parse(DrugEventsAnswer(QStringLiteral("2024-05"),
                                       {{QStringLiteral("01"),
                                         QStringLiteral("1310000033"),
                                         QStringLiteral("ひかり医院"),
                                         QString(),
                                         QString(),
                                         {{QStringLiteral("薬"), QStringLiteral("1"), QStringLiteral("錠"),
                                           QString::fromLatin1(c.times), QString()}}}})));
    ASSERT_EQ(lists.prescriptions.size(), 1);
    EXPECT_EQ(lists.prescriptions[0].Drugs.value(0).Kai, c.kai);
  }
}

TEST_F(DrugEvents, missingRecordElementsGiveFalseWithoutRecordsOrLogLines) {
  const char* answers[] = {
      "<?xml version=\"1.0\"?>\n<xmlio2>\n  <other type=\"record\"/>\n</xmlio2>\n",
      "<?xml version=\"1.0\"?>\n<xmlio2>\n  <onlinedruggetres type=\"record\">\n"
      "    <Api_Result type=\"string\">E50</Api_Result>\n  </onlinedruggetres>\n</xmlio2>\n",
  };
  for (const char* answer : answers) {
    EXPECT_FALSE(parse(QByteArray(answer)));
    EXPECT_TRUE(lists.prescriptions.isEmpty());
  }
  EXPECT_TRUE(logMessages().isEmpty());
}

TEST_F(DrugEvents, anUnreadableAnswerIsLoggedAndKeepsEarlierRecords) {
  ASSERT_TRUE(parse(QByteArray(kMay), QStringLiteral("2024-05")));
  const QByteArray cut = QByteArray(kMay).left(QByteArray(kMay).indexOf("</DrugInf_child>"));
  EXPECT_FALSE(parse(cut, QStringLiteral("2024-04")));
  EXPECT_EQ(lists.prescriptions.size(), 3);
  const QStringList log = logMessages();
  ASSERT_EQ(log.size(), 1);
  EXPECT_EQ(log[0],
            QStringLiteral("ParseOnlineDrugGet02 Error: Premature end of document. (line 27, column 18)"));
}

// ORCA nests an answer a dozen levels deep. A document nested 150000 levels deep (from about 130000
// on) kept QDomDocument busy for minutes and then overflowed the stack.
TEST_F(DrugEvents, aDocumentNestedTooDeeplyIsLoggedAsUnreadable) {
  const int depth = 150000;
  const QByteArray answer = "<xmlio2><onlinedruggetres><MeTrMonthInf>" + QByteArray("<a>").repeated(depth) +
                            QByteArray("</a>").repeated(depth) +
                            "</MeTrMonthInf></onlinedruggetres></xmlio2>";
  EXPECT_FALSE(parse(answer));
  EXPECT_TRUE(lists.prescriptions.isEmpty());
  EXPECT_EQ(logMessages(),
            QStringList({QStringLiteral("ParseOnlineDrugGet02 Error: Elements nested deeper than "
                                        "256 levels (line 1, column 802)")}));
}
