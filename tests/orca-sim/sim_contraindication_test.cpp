#include "medcheck/check_request.h"
#include "sim_fixture.h"

namespace {

class SimContraindication : public SimTest {
 protected:
  std::optional<QStringList> check(const QString& body) { return post(kContraindicationCheckPath, body); }
};

// Patient 1002 on 2025-03-14: loxoprofen and an unknown code from one institution, warfarin from
// another, famotidine from a third, magnesium oxide from the clinic on 2025-02-14.
const QStringList kCodes{"699000106", "699999001", "699000111", "699000108", "699000117"};

}  // namespace

TEST_F(SimContraindication, checksTheDrugsAgainstEachOtherAndTheClinicsRecords) {
  const auto lines = check(ContraindicationCheckBody("1002", "2025-03", 3, kCodes));
  ASSERT_TRUE(lines);
  EXPECT_EQ(Values(*lines, "Api_Result"), QStringList{"00"});
  EXPECT_EQ(Values(*lines, "Reskey"), QStringList{"Medical Info"});
  EXPECT_EQ(Values(*lines, "Perform_Month"), QStringList{"2025-03"});
  EXPECT_EQ(Values(*lines, "Patient_ID"), QStringList{"01002"});
  EXPECT_EQ(Values(*lines, "Medication_Code"), kCodes);
  EXPECT_EQ(Values(*lines, "Medication_Name").value(0), "ロキソプロフェンＮａ錠６０ｍｇ");
  EXPECT_EQ(Values(*lines, "Medical_Result"), QStringList{"20"});
  EXPECT_EQ(Values(*lines, "Contra_Code"),
            (QStringList{"699000111", "699000106", "699000117", "699000117", "699000108"}));
  EXPECT_EQ(Values(*lines, "Interact_Code"),
            (QStringList{"S900001", "S900001", "*******", "*******", "*******"}));
  EXPECT_EQ(Values(*lines, "Administer_Class"), (QStringList{"1", "1", "1", "1"}));
  EXPECT_EQ(Values(*lines, "Administer_Date"), QStringList{"2025-02-14"});
  EXPECT_EQ(Values(*lines, "Context_Class"), (QStringList{"after", "before", "after", "before", "before"}));
  // The clinic's own master has no symptom entry; the invented texts say they are invented.
  EXPECT_EQ(Values(*lines, "Symptom_Code"), QStringList{"S900001"});
  EXPECT_TRUE(Values(*lines, "Symptom_Content").value(0).startsWith("（架空）"));
  EXPECT_TRUE(Values(*lines, "Symptom_Detail").value(0).startsWith("（架空）"));
}

TEST_F(SimContraindication, theTermDecidesWhichOfTheClinicsRecordsCount) {
  const struct {
    QString month, term;
    QStringList dates;
  } cases[] = {
      {"2025-03", "1", {"2025-02-14"}},
      {"", "", {"2025-02-14"}},  // this month and ORCA's own three months
      {"2025-05", "2", {}},
      {"2025-05", "0", {"2025-02-14"}},  // a term of 0 is ORCA's own three months
  };
  for (const auto& c : cases) {
    QString body = ContraindicationCheckBody("1002", c.month, 1, {"699000108"});
    body.replace("<Check_Term type=\"string\">1<", "<Check_Term type=\"string\">" + c.term + "<");
    const auto lines = check(body);
    ASSERT_TRUE(lines);
    EXPECT_EQ(Values(*lines, "Administer_Date"), c.dates)
        << c.month.toStdString() << " " << c.term.toStdString();
  }
}

TEST_F(SimContraindication, errorsAnswerWithTheirCodesAndNoData) {
  const QString good = ContraindicationCheckBody("1002", "2025-03", 3, {"699000106"});
  auto with = [&good](const QString& from, const QString& to) { return QString(good).replace(from, to); };
  const struct {
    const char* what;
    QString body;
    QString result;
  } cases[] = {
      {"no patient", with(">1002<", "><"), "01"},
      {"unknown patient", with(">1002<", ">99999<"), "10"},
      {"bad month", with(">2025-03<", ">2025-13<"), "11"},
      {"bad term", with("<Check_Term type=\"string\">3<", "<Check_Term type=\"string\">三<"), "12"},
      {"no valid drug", ContraindicationCheckBody("1002", "2025-03", 3, {"699999001", "123"}), "14"},
      {"no drug at all", ContraindicationCheckBody("1002", "2025-03", 3, {}), "14"},
      {"bad request number", with(">01</Request_Number>", ">03</Request_Number>"), "91"},
      {"unreadable body", "<data><contraindication_checkreq type=\"record\">", "98"},
  };
  for (const auto& c : cases) {
    const auto lines = check(c.body);
    ASSERT_TRUE(lines) << c.what;
    EXPECT_EQ(Values(*lines, "Api_Result"), QStringList{c.result}) << c.what;
    EXPECT_EQ(Values(*lines, "Reskey"), QStringList{"Medical Info"}) << c.what;
    EXPECT_TRUE(Values(*lines, "Medication_Code").isEmpty()) << c.what;
  }
}

TEST_F(SimContraindication, onlyTheCheckPatientsDrugsNameTheirIngredient) {
  const QString month = "2025-03";
  const auto interacting = post(
      "api01rv2/onlinedruggetv2",
      Body("onlinedruggetreq", {{"Request_Number", "02"}, {"Patient_ID", "1002"}, {"MeTrMonth", month}}));
  ASSERT_TRUE(interacting);
  EXPECT_EQ(Values(*interacting, "IngreN"),
            (QStringList{"ワルファリンカリウム", "ロキソプロフェンナトリウム水和物"}));
  EXPECT_EQ(Values(*interacting, "DrugC"), (QStringList{"699000111", "699000106", "699999001"}));
  for (const auto& [asked, ingredients] :
       {std::pair{QString("2025-02"), QStringList{"アムロジピンベシル酸塩", "ロスバスタチンカルシウム"}},
        std::pair{month, QStringList{"ｱﾑﾛｼﾞﾋﾟﾝ ﾍﾞｼﾙ酸塩"}}}) {
    const auto duplicate = post(
        "api01rv2/onlinedruggetv2",
        Body("onlinedruggetreq", {{"Request_Number", "02"}, {"Patient_ID", "1001"}, {"MeTrMonth", asked}}));
    ASSERT_TRUE(duplicate);
    EXPECT_EQ(Values(*duplicate, "IngreN"), ingredients) << asked.toStdString();
  }
  const auto catalog = post(
      "api01rv2/onlinedruggetv2",
      Body("onlinedruggetreq", {{"Request_Number", "02"}, {"Patient_ID", "7"}, {"MeTrMonth", "2025-02"}}));
  ASSERT_TRUE(catalog);
  EXPECT_FALSE(Values(*catalog, "DrugC").isEmpty());
  EXPECT_TRUE(Values(*catalog, "IngreN").isEmpty());
}
