#include <gtest/gtest.h>

#include "patients/acceptance_list.h"

namespace {

QStringList Lines(const char* text) {
  return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

QString Describe(const QList<Reception>& receptions) {
  QStringList parts;
  for (const Reception& r : receptions)
    parts << r.patientId + QLatin1Char('/') + r.name + QLatin1Char('/') + r.accountTime;
  return parts.join(QLatin1Char('|'));
}

}  // namespace

TEST(AcceptanceList, bodyCarriesTheDayInTheOneLineTemplate) {
  EXPECT_EQ(
      AcceptanceListBody(QDate(2024, 5, 1)),
      QStringLiteral("<data>  <acceptlstreq type=\"record\">    <Acceptance_Date type=\"string\">2024-05-01"
                     "</Acceptance_Date>  </acceptlstreq></data>"));
}

struct ReadCase {
  const char* name;
  const char* answer;
  const char* expected;  // "id/name/accountTime|…"
};

void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.name;
}

class ReadReceptionsTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadReceptionsTest, readsReceptionsInAnswerOrder) {
  EXPECT_EQ(Describe(ReadReceptions(Lines(GetParam().answer))), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadReceptionsTest,
    ::testing::Values(
        ReadCase{
            "samePatientTwice",
            "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n<Patient_ID type=\"string\">7</Patient_ID>\n"
            "<WholeName type=\"string\">甲</WholeName>\n"
            "<Acceptance_Id type=\"string\">2</Acceptance_Id>\n<Patient_ID type=\"string\">8</Patient_ID>\n"
            "<WholeName type=\"string\">乙</WholeName>\n"
            "<Acceptance_Id type=\"string\">3</Acceptance_Id>\n<Patient_ID type=\"string\">7</Patient_ID>\n"
            "<WholeName type=\"string\">甲</WholeName>",
            "7/甲/|8/乙/|7/甲/"},
        ReadCase{"leadingZerosDrop",
                 "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n"
                 "  <Patient_ID type=\"string\"> 00012 </Patient_ID>\r",
                 "12//"},
        ReadCase{
            "emptyNumberIsZero",
            "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n<Patient_ID type=\"string\"></Patient_ID>",
            "0//"},
        ReadCase{
            "textIsZero",
            "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n<Patient_ID type=\"string\">A12</Patient_ID>",
            "0//"},
        ReadCase{"beyond32BitsIsZero", "<Patient_ID type=\"string\">2147483648</Patient_ID>", "0//"},
        ReadCase{
            "noPatientLineNoReception",
            "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n<WholeName type=\"string\">甲</WholeName>\n"
            "<Acceptance_Id type=\"string\">2</Acceptance_Id>\n<Patient_ID type=\"string\">5</Patient_ID>",
            "5//"},
        ReadCase{
            "firstNameCounts",
            "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n<Patient_ID type=\"string\">5</Patient_ID>\n"
            "<WholeName type=\"string\">山田　花子</WholeName>\n<WholeName "
            "type=\"string\">ヤマダ　ハナコ</WholeName>",
            "5/山田　花子/"},
        ReadCase{"blankFirstNameGivesWayToTheNext",
                 "<Patient_ID type=\"string\">5</Patient_ID>\n<WholeName type=\"string\"> </WholeName>\n"
                 "<WholeName type=\"string\">乙</WholeName>",
                 "5/乙/"},
        ReadCase{"accountTimeKept",
                 "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n<Account_Time "
                 "type=\"string\">10:15:00</Account_Time>\n"
                 "<Patient_ID type=\"string\">5</Patient_ID>",
                 "5//10:15:00"},
        ReadCase{"wrongCaseIsNotTheElement", "<patient_id type=\"string\">5</patient_id>", ""},
        ReadCase{"noReceptions", "<xmlio2>\n<Api_Result type=\"string\">21</Api_Result>\n</xmlio2>", ""}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(AcceptanceList, inProgressListsOnlyReceptionsWithoutAccountTime) {
  const Reception open{QStringLiteral("1"), QStringLiteral("甲"), QStringLiteral("  ")};
  const Reception billed{QStringLiteral("2"), QStringLiteral("乙"), QStringLiteral("11:00:00")};
  EXPECT_TRUE(ListedInMode(open, ListMode::All));
  EXPECT_TRUE(ListedInMode(billed, ListMode::All));
  EXPECT_TRUE(ListedInMode(open, ListMode::InProgress));
  EXPECT_FALSE(ListedInMode(billed, ListMode::InProgress));
}
