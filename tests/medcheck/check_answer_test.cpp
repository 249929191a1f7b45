#include <gtest/gtest.h>

#include "medcheck/check_answer.h"
#include "qt_printers.h"

namespace {

TEST(CheckAnswer, readsResultsHitsAndSymptomsEachOnOneLine) {
  const QStringList lines{
      "<xmlio2>",
      "  <contraindication_checkres type=\"record\">",
      "    <Api_Result type=\"string\">K1</Api_Result>",
      "    <Api_Result_Message type=\"string\">症状が多すぎます</Api_Result_Message>",
      "    <Patient_Information type=\"record\">",
      "      <WholeName type=\"string\">試験　花子</WholeName>",
      "    </Patient_Information>",
      "    <Contra_Code type=\"string\">699000000</Contra_Code>",  // before any drug: not a hit
      "      <Medical_Information_child type=\"record\">",
      "        <Medication_Code type=\"string\">699000106</Medication_Code>",
      "        <Medication_Name type=\"string\">錠&amp;Ａ</Medication_Name>",
      "          <Medical_Info_child type=\"record\">",
      "            <Contra_Code type=\"string\">699000111</Contra_Code>",
      "            <Contra_Name type=\"string\">ワルファリン\t錠</Contra_Name>",
      "            <Interact_Code type=\"string\">S900001</Interact_Code>",
      "            <Administer_Class type=\"string\">1</Administer_Class>",
      "          </Medical_Info_child>",
      "      <Medical_Information_child type=\"record\">",
      "        <Medication_Code type=\"string\">699999001</Medication_Code>",
      "        <Medical_Result type=\"string\">20</Medical_Result>",
      "        <Medical_Result_Message type=\"string\">存在しません&#13;</Medical_Result_Message>",
      "      <Symptom_Information_child type=\"record\">",
      "        <Symptom_Code type=\"string\">S900001</Symptom_Code>",
      "        <Symptom_Content type=\"string\">出血しやすくなる",
      "おそれ</Symptom_Content>",
      "        <Symptom_Detail type=\"string\">作用の増強</Symptom_Detail>",
  };
  const ContraAnswer a = ReadContraindicationAnswer(lines);
  EXPECT_EQ(a.apiResult, "K1");
  EXPECT_TRUE(a.checked());
  EXPECT_EQ(a.apiResultMessage, "症状が多すぎます");
  ASSERT_EQ(a.drugs.size(), 2);
  EXPECT_EQ(a.drugs[0].code, "699000106");
  EXPECT_EQ(a.drugs[0].name, "錠&Ａ");
  ASSERT_EQ(a.drugs[0].hits.size(), 1);
  EXPECT_EQ(a.drugs[0].hits[0].code, "699000111");
  EXPECT_EQ(a.drugs[0].hits[0].name, "ワルファリン 錠");
  EXPECT_EQ(a.drugs[0].hits[0].interactCode, "S900001");
  EXPECT_EQ(a.drugs[0].hits[0].administerClass, "1");
  EXPECT_EQ(a.drugs[0].hits[0].administerDate, QString());
  EXPECT_EQ(a.drugs[1].result, "20");
  EXPECT_EQ(a.drugs[1].resultMessage, "存在しません");
  EXPECT_TRUE(a.drugs[1].hits.isEmpty());
  ASSERT_EQ(a.symptoms.size(), 1);
  EXPECT_EQ(a.symptoms[0].content, "出血しやすくなる おそれ");
  EXPECT_EQ(a.symptoms[0].detail, "作用の増強");
}

TEST(CheckAnswer, onlyDoneAndTheWarningCountAsChecked) {
  for (const auto& [result, checked] : {std::pair{"00", true}, std::pair{"K1", true}, std::pair{"14", false},
                                        std::pair{"", false}, std::pair{"000", false}}) {
    ContraAnswer a;
    a.apiResult = result;
    EXPECT_EQ(a.checked(), checked) << result;
  }
}

}  // namespace
