#include <gtest/gtest.h>

#include "orca/response_reader.h"
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
        // ORCA leaves empty values out: an empty number is no number, and the reception no row.
        ReadCase{
            "emptyNumberIsNoReception",
            "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n<Patient_ID type=\"string\"></Patient_ID>",
            ""},
        // Numbers are text: letters stay as written, long numbers whole, digits without leading zeros.
        ReadCase{"lettersStayAsWritten",
                 "<Acceptance_Id type=\"string\">1</Acceptance_Id>\n<Patient_ID type=\"string\"> A0012 "
                 "</Patient_ID>",
                 "A0012//"},
        ReadCase{"beyond32BitsStaysWhole", "<Patient_ID type=\"string\">002024000123</Patient_ID>",
                 "2024000123//"},
        ReadCase{"allZerosIsZero", "<Patient_ID type=\"string\">0000</Patient_ID>", "0//"},
        ReadCase{"fullWidthDigitsStayAsWritten", "<Patient_ID type=\"string\">００１２</Patient_ID>",
                 "００１２//"},
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

// A reception of a patient not yet registered has the name typed at reception and no number.
TEST(AcceptanceList, aReceptionWithoutPatientNumberIsPassedOver) {
  const QList<Reception> read = ReadReceptions(ResponseLines(
      "<xmlio2><acceptlstres type=\"record\"><Acceptlst_Information type=\"array\">"
      "<Acceptlst_Information_child type=\"record\"><Acceptance_Id type=\"string\">00001</Acceptance_Id>"
      "<Patient_Information type=\"record\"><WholeName "
      "type=\"string\">未登録　太郎</WholeName></Patient_Information>"
      "</Acceptlst_Information_child><Acceptlst_Information_child type=\"record\">"
      "<Acceptance_Id type=\"string\">00002</Acceptance_Id><Patient_Information type=\"record\">"
      "<Patient_ID type=\"string\">00007</Patient_ID><WholeName type=\"string\">甲</WholeName>"
      "</Patient_Information></Acceptlst_Information_child></Acceptlst_Information></acceptlstres></"
      "xmlio2>"));
  EXPECT_EQ(Describe(read), QStringLiteral("7/甲/"));
}

TEST(PatientNumber, digitsLoseTheirLeadingZerosAndAnythingElseStaysAsWritten) {
  const struct {
    const char* typed;
    const char* number;
  } cases[] = {{"00012", "12"},
               {"0000", "0"},
               {" 12 ", "12"},
               {"2024000123", "2024000123"},
               {"99999999999", "99999999999"},
               {"A0012", "A0012"},
               {" a-12 ", "a-12"},
               {"", ""},
               {"0012A", "0012A"},
               {"-12", "-12"}};
  for (const auto& c : cases) {
    EXPECT_EQ(NormalisePatientNumber(QString::fromUtf8(c.typed)), QString::fromUtf8(c.number)) << c.typed;
  }
}

TEST(AcceptanceList, inProgressListsOnlyReceptionsWithoutAccountTime) {
  const Reception open{QStringLiteral("1"), QStringLiteral("甲"), QStringLiteral("  ")};
  const Reception billed{QStringLiteral("2"), QStringLiteral("乙"), QStringLiteral("11:00:00")};
  EXPECT_TRUE(ListedInMode(open, ListMode::All));
  EXPECT_TRUE(ListedInMode(billed, ListMode::All));
  EXPECT_TRUE(ListedInMode(open, ListMode::InProgress));
  EXPECT_FALSE(ListedInMode(billed, ListMode::InProgress));
}
