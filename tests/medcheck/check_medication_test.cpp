#include <gtest/gtest.h>

#include "async/run_blocking.h"
#include "check_fixtures.h"
#include "core/clock.h"
#include "core/ini_file.h"
#include "medcheck/check_indicator.h"
#include "medcheck/check_request.h"
#include "medcheck/interactions.h"
#include "orca/orca_client.h"
#include "qt_printers.h"
#include "scripted_orca.h"
#include "temp_program_folder.h"
#include "usecases/check_medication.h"

namespace {

const QString kPath = QStringLiteral("api01rv2/contraindicationcheckv2");
const QDate kToday(2025, 6, 12);

// An answer as ORCA lays it out: declaration, two blanks a level, one element a line.
class Answer {
 public:
  explicit Answer(const QString& result, const QString& message = QStringLiteral("処理終了")) {
    lines_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
           << "<xmlio2>"
           << "  <contraindication_checkres type=\"record\">";
    value(4, "Api_Result", result);
    value(4, "Api_Result_Message", message);
    value(4, "Reskey", "Medical Info");
    value(4, "Perform_Month", "2025-06");
  }
  Answer& drug(const QString& code, const QString& result = {}, const QString& message = {}) {
    closeDrug();
    if (!inDrugs_) lines_ << "    <Medical_Information type=\"array\">";
    inDrugs_ = true;
    lines_ << "      <Medical_Information_child type=\"record\">";
    value(8, "Medication_Code", code);
    value(8, "Medication_Name", "ORCAの名前" + code);
    value(8, "Medical_Result", result);
    value(8, "Medical_Result_Message", message);
    openDrug_ = true;
    return *this;
  }
  Answer& hit(const QString& partner, const QString& interactCode, const QString& administerDate = {}) {
    if (!inHits_) lines_ << "        <Medical_Info type=\"array\">";
    inHits_ = true;
    lines_ << "          <Medical_Info_child type=\"record\">";
    value(12, "Contra_Code", partner);
    value(12, "Contra_Name", "ORCAの名前" + partner);
    value(12, "Interact_Code", interactCode);
    value(12, "Administer_Date", administerDate);
    value(12, "Administer_Class", administerDate.isEmpty() ? "1" : "");
    value(12, "Context_Class", "before");
    lines_ << "          </Medical_Info_child>";
    return *this;
  }
  Answer& symptom(const QString& code, const QString& content, const QString& detail) {
    closeDrug();
    if (inDrugs_) lines_ << "    </Medical_Information>";
    inDrugs_ = false;
    if (!inSymptoms_) lines_ << "    <Symptom_Information type=\"array\">";
    inSymptoms_ = true;
    lines_ << "      <Symptom_Information_child type=\"record\">";
    value(8, "Symptom_Code", code);
    value(8, "Symptom_Content", content);
    value(8, "Symptom_Detail", detail);
    lines_ << "      </Symptom_Information_child>";
    return *this;
  }
  QByteArray bytes() {
    closeDrug();
    if (inDrugs_) lines_ << "    </Medical_Information>";
    if (inSymptoms_) lines_ << "    </Symptom_Information>";
    inDrugs_ = inSymptoms_ = false;
    return (lines_ + QStringList{"  </contraindication_checkres>", "</xmlio2>", ""}).join('\n').toUtf8();
  }

 private:
  void value(int depth, const QString& name, const QString& v) {
    if (!v.isEmpty())
      lines_ << QString(depth, ' ') + "<" + name + " type=\"string\">" + v + "</" + name + ">";
  }
  void closeDrug() {
    if (inHits_) lines_ << "        </Medical_Info>";
    if (openDrug_) lines_ << "      </Medical_Information_child>";
    inHits_ = openDrug_ = false;
  }
  QStringList lines_;
  bool inDrugs_ = false, inHits_ = false, openDrug_ = false, inSymptoms_ = false;
};

const QString kBleeding = "出血しやすくなるおそれ";
const QString kMechanism = "作用の増強";

// The hits ORCA gives for the patient below: loxoprofen and warfarin among the drugs sent (under
// both), famotidine with the clinic's magnesium both sent and in its records (own check master),
// the magnesium against another of the clinic's drugs in its records, and a code it does not know.
Answer Hits(const QString& result = "00", const QString& message = "処理終了") {
  Answer a(result, message);
  a.drug("699000106").hit("699000111", "S900001");
  a.drug("699999001", "20", "医薬品マスタに存在しません");
  a.drug("699000111").hit("699000106", "S900001");
  a.drug("699000108").hit("699000117", "*******").hit("699000117", "*******", "2025-05-15");
  a.drug("699000117").hit("699000108", "*******").hit("699000999", "S900003", "2025-04-30");
  a.symptom("S900001", kBleeding, kMechanism).symptom("S900003", "ふらつき", "相加");
  return a;
}

class CheckMedicationTest : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    SetClockForTesting([] { return QDateTime(kToday, QTime(10, 0)); });
    orca.configure();
    IFWriteIniStr("PARAMA", "KIKANCD", "1234567");
    client.setConnection(ReadConnection());
    client.setTimeoutMs(500);
  }

  // Drugs of three institutions and of the clinic; the oldest ended before the 90 days.
  static MedicationCheckInput Patient() {
    MedicationCheckInput input;
    input.patientId = "1002";
    input.otherInstitutionsRead = true;
    input.prescList = {
        Dispensed("1310000101", "さくら坂内科クリニック", {2025, 1, 10},
                  {Line("カルボシステイン錠", "699000112", "", 7)}),
        Dispensed("1310000101", "さくら坂内科クリニック", {2025, 5, 23},
                  {Line("ファモチジン錠", "699000108", "ファモチジン", 28)}),
        Dispensed("1310000202", "みなと中央病院", {2025, 5, 31},
                  {Line("ワルファリン錠", "699000111", "ワルファリンカリウム", 28)}),
        Dispensed("1310000303", "あおば整形外科医院", {2025, 6, 7},
                  {Line("ロキソプロフェン錠", "699000106", "ロキソプロフェン", 14),
                   Line("架空エキス顆粒", "699999001", "", 14), Line("市販薬", "", "", 0, "22")}),
    };
    input.ownDays = {OwnDay({2025, 5, 15}, {OwnLine("酸化マグネシウム錠", "699000117", 14)})};
    return input;
  }

  MedicationCheck check(MedicationCheckInput input = Patient()) {
    return RunBlocking(CheckMedication(client, std::move(input)));
  }

  QList<QByteArray> bodies() const {
    QList<QByteArray> b;
    for (const HttpRequest& r : orca.requests()) b << r.body;
    return b;
  }

  ScriptedOrca orca;
  OrcaClient client;
};

const CheckedDrug kLoxoprofen{"ロキソプロフェン錠", "699000106", "あおば整形外科医院", {2025, 6, 7}, 14};
const CheckedDrug kWarfarin{"ワルファリン錠", "699000111", "みなと中央病院", {2025, 5, 31}, 28};
const CheckedDrug kFamotidine{"ファモチジン錠", "699000108", "さくら坂内科クリニック", {2025, 5, 23}, 28};
const CheckedDrug kMagnesium{"酸化マグネシウム錠", "699000117", "自院", {2025, 5, 15}, 14};
const UncheckedDrug kNoCode{{"市販薬", "", "あおば整形外科医院", {2025, 6, 7}, 0}, "薬剤コードがありません"};
const UncheckedDrug kUnknownToOrca{{"架空エキス顆粒", "699999001", "あおば整形外科医院", {2025, 6, 7}, 14},
                                   "ORCAで確認できませんでした（20 医薬品マスタに存在しません）"};

}  // namespace

TEST_F(CheckMedicationTest, oneRequestWithTheCodesInViewNewestFirst) {
  orca.answer(kPath, HttpAction::Ok(Hits().bytes()));
  check();
  ASSERT_EQ(orca.requestedPaths(), QStringList{kPath + " #1002"});
  EXPECT_EQ(bodies().first(),
            ContraindicationCheckBody("1002", "2025-06", 3,
                                      {"699000106", "699999001", "699000111", "699000108", "699000117"})
                .toUtf8());
}

TEST_F(CheckMedicationTest, hitsBecomeFindingsWithWhereEachDrugCameFrom) {
  orca.answer(kPath, HttpAction::Ok(Hits().bytes()));
  const MedicationCheck result = check();
  EXPECT_FALSE(result.failed());
  EXPECT_EQ(result.checkedOn, kToday);
  EXPECT_EQ(result.warning, QString());
  EXPECT_EQ(result.findings,
            (QList<Finding>{
                {FindingKind::Interaction, {kLoxoprofen, kWarfarin}, kBleeding, kMechanism, false},
                {FindingKind::Interaction, {kFamotidine, kMagnesium}, kClinicMasterSubject, {}, true},
            }));
  EXPECT_EQ(result.unchecked, (QList<UncheckedDrug>{kNoCode, kUnknownToOrca}));
  EXPECT_EQ(IndicatorOf(result).text, "相互作用 2　未確認 2");
}

TEST_F(CheckMedicationTest, aPartnerOnlyInTheClinicsRecordsIsTheClinicsOnItsLastDay) {
  Answer a("00");
  a.drug("699000111").hit("699000201", "S900004", "2025-04-02");
  a.symptom("S900004", "効果が弱まるおそれ", "");
  orca.answer(kPath, HttpAction::Ok(a.bytes()));
  const MedicationCheck result = check();
  ASSERT_EQ(result.findings.size(), 1);
  EXPECT_EQ(result.findings[0].drugs,
            (QList<CheckedDrug>{kWarfarin, {"ORCAの名前699000201", "699000201", "自院", {2025, 4, 2}, 0}}));
  EXPECT_EQ(result.findings[0].subject, "効果が弱まるおそれ");
  // Four codes were sent and five answered for: the ones ORCA left out are not vouched for.
  EXPECT_EQ(result.unchecked.size(), 1 + 4);
  EXPECT_EQ(result.unchecked.last().reason, kNotAnsweredReason);
}

TEST_F(CheckMedicationTest, k1GivesItsWarningBesideTheResults) {
  orca.answer(kPath, HttpAction::Ok(Hits("K1", "症状詳細が５０件を超えました").bytes()));
  const MedicationCheck result = check();
  EXPECT_FALSE(result.failed());
  EXPECT_EQ(result.warning, "症状詳細が５０件を超えました");
  EXPECT_EQ(result.count(FindingKind::Interaction), 2);
  EXPECT_TRUE(IndicatorOf(result).toolTip.contains("警告：症状詳細が５０件を超えました"));
}

TEST_F(CheckMedicationTest, aCheckThatFailedSaysSoAndNeverPassesForOneWithoutFindings) {
  const struct {
    const char* what;
    HttpAction action;
    QString failure;
  } cases[] = {
      {"HTTP 404", HttpAction::Status(404), "ORCAがHTTP 404を返しました"},
      {"HTTP 500", HttpAction::Status(500), "ORCAがHTTP 500を返しました"},
      {"no valid drug (14)", HttpAction::Ok(Answer("14", "チェック対象の薬剤がありません").bytes()),
       "ORCAの結果コード 14：チェック対象の薬剤がありません"},
      {"unknown patient (10)", HttpAction::Ok(Answer("10", "患者番号に該当する患者が存在しません").bytes()),
       "ORCAの結果コード 10：患者番号に該当する患者が存在しません"},
      {"not an answer", HttpAction::Ok("<html>maintenance</html>"), "ORCAの回答を読めませんでした"},
  };
  for (const auto& c : cases) {
    orca.answer(kPath, c.action);
    const MedicationCheck result = check();
    EXPECT_TRUE(result.failed()) << c.what;
    EXPECT_EQ(result.failure, c.failure) << c.what;
    EXPECT_TRUE(result.findings.isEmpty()) << c.what;
    EXPECT_EQ(result.unchecked, QList<UncheckedDrug>{kNoCode}) << c.what;
    const CheckIndicator indicator = IndicatorOf(result);
    EXPECT_EQ(indicator.text, "チェックできませんでした　未確認 1") << c.what;
    EXPECT_EQ(indicator.tone, CheckTone::Alarm) << c.what;
  }
}

TEST_F(CheckMedicationTest, noAnswerAtAllIsAFailureWithTheTransportsReason) {
  orca.answer(kPath, HttpAction::Ok(Hits().bytes()).after(2000));
  const MedicationCheck result = check();
  EXPECT_TRUE(result.failure.startsWith("ORCAから応答がありません（")) << result.failure.toStdString();
}

TEST_F(CheckMedicationTest, withoutTheOtherInstitutionsDrugsNothingIsSentAndTheCheckFails) {
  MedicationCheckInput input = Patient();
  input.otherInstitutionsRead = false;
  input.prescList.clear();
  const MedicationCheck result = check(input);
  EXPECT_EQ(result.failure, "他院の薬剤情報を取得できませんでした");
  EXPECT_TRUE(orca.requests().isEmpty());
}

TEST_F(CheckMedicationTest, nothingOfAnotherInstitutionToCheckSendsNothing) {
  MedicationCheckInput input = Patient();
  input.prescList = {
      Dispensed("1310000303", "あおば整形外科医院", {2025, 6, 7}, {Line("市販薬", "", "", 0, "22")})};
  const MedicationCheck result = check(input);
  EXPECT_TRUE(orca.requests().isEmpty());
  EXPECT_FALSE(result.failed());
  EXPECT_EQ(result.unchecked, QList<UncheckedDrug>{kNoCode});
  EXPECT_EQ(IndicatorOf(result).text, "未確認 1");
}

TEST_F(CheckMedicationTest, theWindowAndTheTermComeFromUserIni) {
  IFWriteIniStr("PARAMA", "MEDCHECKDAYS", "10");  // from 2025-06-02: the clinic's magnesium ended before
  IFWriteIniStr("PARAMA", "MEDCHECKMONTHS", "6");
  orca.answer(kPath, HttpAction::Ok(Answer("00").bytes()));
  check();
  EXPECT_EQ(bodies().value(0), ContraindicationCheckBody("1002", "2025-06", 6,
                                                         {"699000106", "699999001", "699000111", "699000108"})
                                   .toUtf8());

  IFWriteIniStr("PARAMA", "MEDCHECKDAYS", "九十");  // not a number: the default
  IFWriteIniStr("PARAMA", "MEDCHECKMONTHS", "0");
  check();
  EXPECT_EQ(bodies().value(1),
            ContraindicationCheckBody("1002", "2025-06", 3,
                                      {"699000106", "699999001", "699000111", "699000108", "699000117"})
                .toUtf8());
}

TEST_F(CheckMedicationTest, duplicatesNeedNoAnswerFromOrca) {
  MedicationCheckInput input = Patient();
  input.prescList << Dispensed("1310000202", "みなと中央病院", {2025, 6, 1},
                               {Line("ガスター錠", "699000141", "ファモチジン", 14)});
  orca.answer(kPath, HttpAction::Status(500));
  const MedicationCheck result = check(input);
  ASSERT_EQ(result.findings.size(), 1);
  EXPECT_EQ(result.findings[0].kind, FindingKind::Duplicate);
  EXPECT_EQ(IndicatorOf(result).text, "成分重複 1　チェックできませんでした　未確認 1");
}

// The clinic's own history could not be read whole: its drugs may be missing from the check, so
// the check says so instead of passing for one without findings.
TEST_F(CheckMedicationTest, ownDrugsThatCouldNotBeReadAreUnconfirmedNeverNoFindings) {
  MedicationCheckInput input = Patient();
  input.prescList = {Dispensed("1310000202", "みなと中央病院", {2025, 5, 31},
                               {Line("ワルファリン錠", "699000111", "ワルファリンカリウム", 28)})};
  input.ownDays.clear();
  Answer nothing("00");
  nothing.drug("699000111");
  orca.answer(kPath, HttpAction::Ok(nothing.bytes()));
  EXPECT_EQ(IndicatorOf(check(input)).text, "所見なし") << "read whole, nothing found";

  input.ownDaysRead = false;
  input.ownMonthLabel = "2025年06月";
  const MedicationCheck result = check(input);
  EXPECT_FALSE(result.failed());
  EXPECT_EQ(result.unchecked,
            (QList<UncheckedDrug>{{{"自院の処方（2025年06月）", "", "自院", {}, 0},
                                   "自院の薬歴を取得できなかったため、自院の薬剤とは照合していません"}}));
  EXPECT_EQ(IndicatorOf(result).text, "未確認 1");
}
