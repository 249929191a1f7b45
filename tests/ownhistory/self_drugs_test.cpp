#include <gtest/gtest.h>

#include "orca/response_reader.h"

#include "self_orca.h"
#include "ownhistory/self_drugs.h"
#include "temp_program_folder.h"

namespace {

const QString kDay = QStringLiteral("2024-05-13");

QStringList LinesOf(const QByteArray& answer) {
  return QString::fromUtf8(answer).split(u'\n');
}

QStringList BlockOf(const QList<OrderGroup>& groups) {
  return SelfDayBlock(kDay, ReadSelfDrugs(LinesOf(DayActsAnswer(kDay, QStringLiteral("01"), groups))));
}

OrderedDrug Drug(const char* name, const char* quantity = "1", const char* unit = "錠",
                 const char* code = "620000001") {
  return {QString::fromLatin1(code), QString::fromUtf8(name), QString::fromUtf8(quantity),
          QString::fromUtf8(unit)};
}

}  // namespace

TEST(SelfDrugs, groupsByDaysLargestFirstWithTheDaysLine) {
  EXPECT_EQ(BlockOf({{QStringLiteral("210"), QStringLiteral("14"), {Drug("薬Ａ"), Drug("薬Ｂ", "3")}},
                     {QStringLiteral("230"), QStringLiteral("1"), {Drug("貼付剤Ｃ", "1", "枚")}}}),
            (QStringList{QStringLiteral("2024.05.13"), QStringLiteral("薬Ａ\u30001錠"),
                         QStringLiteral("薬Ｂ\u30003錠"), QStringLiteral("\u3000\u300014日分"),
                         QStringLiteral("貼付剤Ｃ\u30001枚")}));
}

TEST(SelfDrugs, sevenFourteenSevenGivesFourteenFirstThenBothSevensInAnswerOrder) {
  EXPECT_EQ(BlockOf({{QStringLiteral("210"), QStringLiteral("7"), {Drug("一")}},
                     {QStringLiteral("210"), QStringLiteral("14"), {Drug("二")}},
                     {QStringLiteral("210"), QStringLiteral("7"), {Drug("三")}}}),
            (QStringList{QStringLiteral("2024.05.13"), QStringLiteral("二\u30001錠"),
                         QStringLiteral("\u3000\u300014日分"), QStringLiteral("一\u30001錠"),
                         QStringLiteral("三\u30001錠"), QStringLiteral("\u3000\u30007日分")}));
}

TEST(SelfDrugs, daysLineRules) {
  struct Case {
    const char* medicalClass;
    const char* count;  // "" leaves the element out
    bool daysLine;
    const char* line;
  } cases[] = {
      {"210", "1", true, "\u3000\u30001日分"},  // oral drugs for one day
      {"21", "1", true, "\u3000\u30001日分"},
      {"2", "1", false, ""},  // one character is not the oral class
      {"230", "1", false, ""},
      {"230", "5", true, "\u3000\u30005日分"},
      {"210", "0", false, ""},
      {"210", "", false, ""},
      {"210", "x7", false, ""},
      {"210", "-3", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.medicalClass) + "/" + c.count);
    const QStringList block =
        BlockOf({{QString::fromLatin1(c.medicalClass), QString::fromLatin1(c.count), {Drug("薬")}}});
    QStringList expected{QStringLiteral("2024.05.13"), QStringLiteral("薬\u30001錠")};
    if (c.daysLine) expected << QString::fromUtf8(c.line);
    EXPECT_EQ(block, expected);
  }
}

TEST(SelfDrugs, drugWithoutQuantityIsListedByNameAndItsGroupKeepsTheDaysLine) {
  EXPECT_EQ(BlockOf({{QStringLiteral("210"), QStringLiteral("14"), {Drug("薬Ａ", "")}}}),
            (QStringList{QStringLiteral("2024.05.13"), QStringLiteral("薬Ａ"),
                         QStringLiteral("\u3000\u300014日分")}));
}

TEST(SelfDrugs, onlyNamedDrugCodesAreTakenWithOrWithoutTheirUnit) {
  const QList<TSelfDrug> drugs = ReadSelfDrugs(LinesOf(DayActsAnswer(
      kDay, QStringLiteral("01"),
      {{QStringLiteral("120"), QStringLiteral("1"), {Drug("再診料", "1", "回", "112007410")}},
       {QStringLiteral("210"),
        QStringLiteral("14"),
        {Drug("単位なし", "1", ""), Drug("", "1", "錠"), Drug("薬Ａ", "2", "錠"),
         Drug("材料", "1", "個", "700000001")}},
       {QStringLiteral("230"), QString(), {Drug("薬Ｂ", "1", "枚"), Drug("最後も単位なし", "3", "")}}})));
  ASSERT_EQ(drugs.size(), 4);
  // ORCA writes no unit name for a drug whose unit in the master is blank: taken without one.
  EXPECT_EQ(drugs[0].Name, QStringLiteral("単位なし"));
  EXPECT_EQ(drugs[0].Suryo, QStringLiteral("1"));
  EXPECT_EQ(drugs[0].Tani, QString());
  EXPECT_EQ(drugs[1].Name, QStringLiteral("薬Ａ"));
  EXPECT_EQ(drugs[1].Suryo, QStringLiteral("2"));
  EXPECT_EQ(drugs[1].Tani, QStringLiteral("錠"));
  EXPECT_EQ(drugs[1].Days, 14);
  EXPECT_EQ(drugs[1].MedClass, QStringLiteral("210"));
  // Class and count carry over to later groups until the answer names new ones.
  EXPECT_EQ(drugs[2].Name, QStringLiteral("薬Ｂ"));
  EXPECT_EQ(drugs[2].Days, 14);
  EXPECT_EQ(drugs[2].MedClass, QStringLiteral("230"));
  EXPECT_EQ(drugs[3].Name, QStringLiteral("最後も単位なし"));
  EXPECT_EQ(drugs[3].Tani, QString());
}

TEST(SelfDrugs, aDrugWithoutUnitEndsAtTheNextCodeWhenItsRecordEndIsNotSeen) {
  const QStringList lines{
      QStringLiteral("<Medical_Class type=\"string\">210</Medical_Class>"),
      QStringLiteral("<Medical_Class_Number type=\"string\">7</Medical_Class_Number>"),
      QStringLiteral("<Medication_Code type=\"string\">620000001</Medication_Code>"),
      QStringLiteral("<Medication_Name type=\"string\">顆粒</Medication_Name>"),
      QStringLiteral("<Medication_Number type=\"string\">2</Medication_Number>"),
      QStringLiteral("<Medication_Code type=\"string\">620000002</Medication_Code>"),
      QStringLiteral("<Medication_Name type=\"string\">錠剤</Medication_Name>"),
      QStringLiteral("<Unit_Code_Name type=\"string\">錠</Unit_Code_Name>"),
  };
  EXPECT_EQ(SelfDayBlock(kDay, ReadSelfDrugs(lines)),
            (QStringList{QStringLiteral("2024.05.13"), QStringLiteral("顆粒\u30002"), QStringLiteral("錠剤"),
                         QStringLiteral("\u3000\u30007日分")}));
}

TEST(SelfDrugs, answerWithoutDrugsGivesNoBlockAtAll) {
  EXPECT_TRUE(
      BlockOf({{QStringLiteral("120"), QStringLiteral("1"), {Drug("再診料", "1", "回", "112007410")}}})
          .isEmpty());
}

TEST(ParseMedicalGet02, appendsTheBlockAfterAnEmptyLine) {
  const QStringList answer = ResponseLines(DayActsAnswer(
      kDay, QStringLiteral("01"), {{QStringLiteral("230"), QStringLiteral("1"), {Drug("薬")}}}));
  QStringList memo;
  ParseMedicalGet02(answer, kDay, memo);
  ParseMedicalGet02(answer, QStringLiteral("2024-05-02"), memo);
  EXPECT_EQ(memo, (QStringList{QStringLiteral("2024.05.13"), QStringLiteral("薬\u30001錠"), QString(),
                               QStringLiteral("2024.05.02"), QStringLiteral("薬\u30001錠")}));
}
