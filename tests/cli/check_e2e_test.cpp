#include <gtest/gtest.h>

#include "core/ini_file.h"

#include <QDate>
#include <QFile>
#include <QMap>
#include <QUrl>
#include <memory>
#include <ostream>

#include "async/run_blocking.h"
#include "druginfo/drug_info_logic.h"
#include "findings/findings_logic.h"
#include "orca/orca_client.h"
#include "recording_ui.h"
#include "sim_and_cli.h"
#include "sim_control.h"
#include "usecases/check_medication.h"
#include "usecases/find_patient.h"
#include "usecases/open_patient.h"
#include "wait_until_idle.h"
#include "windowmodel/headless_desktop.h"

// For gtest's messages.
static void PrintTo(const CheckIndicator& indicator, std::ostream* os) {
  *os << '"' << indicator.text.toStdString() << "\" tone " << static_cast<int>(indicator.tone)
      << (indicator.opensFindings ? " opens" : "");
}

namespace {

QString DaysAgo(int days) {
  return QDate::currentDate().addDays(-days).toString(Qt::ISODate);
}

QStringList Lines(const QString& out) {
  QStringList lines = out.split('\n');
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

class QuietFindingsUi : public HeadlessDesktop<FindingsUi> {
 public:
  void MessageBox(MessageKind, const QString&) override {}
};

class CheckE2e : public SimAndCli {
 protected:
  // The patient opened and checked in this process as the window does it.
  MedicationCheck checkHere(const QString& number, QString* name) {
    OrcaClient client;
    client.setConnection(ReadConnection());
    const NumberSearch found = RunBlocking(FindPatientByNumber(client, number));
    EXPECT_FALSE(found.message);
    *name = found.name;
    const OpenedPatient opened = RunBlocking(LoadPatient(client, number, found.name, QString(), TainLists()));
    return RunBlocking(CheckMedication(client, CheckInputOf(number, opened)));
  }
};

class CheckFailureE2e : public CheckE2e {
 protected:
  QStringList extraSimArguments() const override { return {"--fail", "contraindicationcheckv2=500"}; }
};

// The drug-information window's logic with its indicator, against the simulator.
class CheckWindowE2e : public SimAndCli {
 protected:
  void SetUp() override {
    SimAndCli::SetUp();
    if (HasFatalFailure()) return;
    // The check of the patient opened, with no other patient prepared ahead beside it.
    IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PREPARE"), QStringLiteral("0"));
    logic = std::make_unique<DrugInfoLogic>(ui);
    logic->FormShow();
    WaitUntilIdle(*logic);
  }
  // The window's search by number, as typed; the caller decides whether to wait for it.
  static void search(DrugInfoLogic& window, const QString& number) {
    window.controls().ComboBoxSearch.itemIndex = 0;
    window.controls().EditSearch.text = number;
    window.BtnSearchClick();
  }
  const CheckIndicator& indicator() const { return logic->controls().LabelMedCheck; }

  RecordingUi ui;
  std::unique_ptr<DrugInfoLogic> logic;
};

// Patient 1001's interaction check fails at ORCA; its duplicate needs no ORCA.
class CheckIndicatorE2e : public CheckWindowE2e, public testing::WithParamInterface<EndToEndRoad> {
 protected:
  EndToEndRoad road() const override { return GetParam(); }
  QStringList extraSimArguments() const override { return {"--fail", "contraindicationcheckv2:1001=500"}; }
};

// Patient 1002's check gets no answer for a minute: it is still running when the test moves on.
class CheckInFlightE2e : public CheckWindowE2e {
 protected:
  EndToEndRoad road() const override { return kEveryRoad[1]; }
  QStringList extraSimArguments() const override {
    return {"--fail", "contraindicationcheckv2:1002=wait:60000"};
  }
  // The check has begun and its request has gone out (a request still waiting for its turn is
  // not sent, so a cancellation then leaves nothing in the log).
  bool checkRunning() const {
    return RunUntil(
        [this] { return indicator() == RunningIndicator() && logic->client().requestsWaiting() == 0; },
        30000);
  }
  // How each check request ended in the log, in order: "Cancelled" or "ResponseCode=…".
  QStringList checkRequestEnds() const {
    QFile log(path("Log.txt"));
    if (!log.open(QIODevice::ReadOnly)) return {};
    const QStringList lines = QString::fromLocal8Bit(log.readAll()).split("\r\n");
    QStringList ends;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
      if (lines[i].contains("contraindicationcheckv2")) ends << lines[i + 1].section(' ', -1);
    }
    return ends;
  }
};

}  // namespace

TEST_F(CheckE2e, theInteractingPatientShowsItsPairAcrossInstitutions) {
  const CliRun cli = runCli({"check", "1002"});
  EXPECT_EQ(cli.exitCode, 0);
  EXPECT_EQ(cli.err, QString());
  const QStringList expected{
      "相互作用\tロキソプロフェンＮａ錠６０ｍｇ\tあおば整形外科医院\t" + DaysAgo(5) +
          "\t14\tワルファリンカリウム錠１ｍｇ\tみなと中央病院\t（架空）出血しやすくなるおそれ。併用時は凝固能"
          "を確認する\t（架空）作用の増強",
      "相互作用\tファモチジン錠２０ｍｇ\tさくら坂内科クリニック\t" + DaysAgo(20) +
          "\t28\t酸化マグネシウム錠３３０ｍｇ\t自院\t自院のチェックマスタに登録された組み合わせ\t",
      "未確認\t架空エキス顆粒\tあおば整形外科医院\t" + DaysAgo(5) +
          "\t14\tORCAで確認できませんでした（20 医薬品マスタに存在しません）",
  };
  EXPECT_EQ(Lines(cli.out), expected);

  // The findings window's logic shows the same check, made in this process.
  QString name;
  const MedicationCheck check = checkHere("1002", &name);
  EXPECT_EQ(CheckReportRows(check), expected);
  QuietFindingsUi ui;
  FindingsLogic window(ui, check, "1002　" + name);
  EXPECT_EQ(window.controls().LabelPatient.text, "1002　小松　律子");
  EXPECT_EQ(window.controls().LabelStatus.text, "相互作用 2　未確認 1");
  ASSERT_EQ(window.controls().TreeFindings.size(), 2);
  EXPECT_EQ(window.controls().TreeFindings[0].entries[0].heading,
            "ロキソプロフェンＮａ錠６０ｍｇ × ワルファリンカリウム錠１ｍｇ");
}

TEST_F(CheckE2e, theDuplicatePatientAndOneWithoutFindings) {
  const CliRun duplicate = runCli({"check", "1001"});
  EXPECT_EQ(duplicate.exitCode, 0);
  EXPECT_EQ(
      Lines(duplicate.out),
      QStringList{"成分重複\tアムロジン錠５ｍｇ\tみなと中央病院\t" + DaysAgo(10) +
                  "\t28\tアムロジピン錠５ｍｇ\tさくら坂内科クリニック\t同一成分：アムロジピン ベシル酸塩\t"});

  const CliRun clear = runCli({"check", "1"});
  EXPECT_EQ(clear.exitCode, 0);
  EXPECT_EQ(clear.out, "所見なし\n");
}

// The day's list with each patient opened and checked: the columns of the plain list, then the
// outcome as the window's indicator would colour it.
TEST_F(CheckE2e, listWithCheckAddsEachPatientsOutcome) {
  const QUrl server(ReadConnection().baseUrl);
  const QString simUrl = server.scheme() + "://" + server.host() + ":" + QString::number(server.port());
  ASSERT_EQ(CallSim(simUrl, "/sim/accept", 1001), 200);
  ASSERT_EQ(CallSim(simUrl, "/sim/accept", 1002), 200);

  const CliRun plain = runCli({"list"});
  const CliRun checked = runCli({"list", "--check"});
  EXPECT_EQ(checked.exitCode, 0) << checked.err.toStdString();
  const QStringList plainRows = Lines(plain.out);
  const QStringList rows = Lines(checked.out);
  ASSERT_EQ(rows.size(), plainRows.size());
  EXPECT_EQ(rows.first(), plainRows.first() + "\tチェック");
  QMap<QString, QString> markOf;
  for (qsizetype i = 1; i < rows.size(); ++i) {
    const QString mark = rows.at(i).section('\t', -1);
    EXPECT_EQ(rows.at(i), plainRows.at(i) + "\t" + mark);
    EXPECT_TRUE(mark == "！" || mark == "？" || mark == "－") << rows.at(i).toStdString();
    markOf.insert(rows.at(i).section('\t', 1, 1), mark);
  }
  EXPECT_EQ(markOf.value("1001"), "！") << "a duplicate ingredient";
  EXPECT_EQ(markOf.value("1002"), "！") << "interactions";
  EXPECT_EQ(markOf.value("1"), "－") << "所見なし";
}

TEST_F(CheckFailureE2e, aCheckOrcaCouldNotDoSaysSoAndExitsWithOne) {
  const CliRun cli = runCli({"check", "1002"});
  EXPECT_EQ(cli.exitCode, 1);
  EXPECT_EQ(cli.out, "チェックできませんでした\tORCAがHTTP 500を返しました\n");

  QString name;
  const MedicationCheck check = checkHere("1002", &name);
  QuietFindingsUi ui;
  FindingsLogic window(ui, check, "1002　" + name);
  EXPECT_EQ(window.controls().LabelStatus.text,
            "チェックできませんでした\nチェックできませんでした：ORCAがHTTP 500を返しました");
  EXPECT_EQ(window.controls().statusTone, CheckTone::Alarm);
}

TEST_P(CheckIndicatorE2e, eachOpenedPatientShowsItsOutcomeAndAClickOpensItsFindings) {
  EXPECT_EQ(indicator(), IdleIndicator()) << "no patient shown";
  const struct {
    QString number;
    QString patientLine;
    QString text;
    CheckTone tone;
    QString toolTipHas;
  } cases[] = {
      {"1002", "1002　小松　律子", "相互作用 2　未確認 1", CheckTone::Alarm, "相互作用：2件"},
      // A failed interaction check is said so beside the duplicate, never passed off as 所見なし.
      {"1001", "1001　中島　正之", "成分重複 1　チェックできませんでした", CheckTone::Alarm,
       "チェックできませんでした：ORCAがHTTP 500を返しました"},
      {"1", "1　山田　太郎", "所見なし", CheckTone::Clear, "クリックすると一覧を開きます"},
  };
  for (const auto& c : cases) {
    search(*logic, c.number);
    // The patient before's outcome goes with its panes, before anything of this one is asked.
    ASSERT_TRUE(RunUntil([&] { return logic->controls().patientNumberLabel.text == c.number; }, 30000));
    EXPECT_TRUE(indicator() == IdleIndicator() || indicator() == RunningIndicator() ||
                indicator().text == c.text)
        << indicator().text.toStdString();
    ASSERT_TRUE(WaitUntilIdle(*logic));
    EXPECT_EQ(indicator().text, c.text) << c.number.toStdString();
    EXPECT_EQ(indicator().tone, c.tone) << c.number.toStdString();
    EXPECT_TRUE(indicator().toolTip.contains(c.toolTipHas)) << indicator().toolTip.toStdString();
    ASSERT_TRUE(indicator().opensFindings);
    logic->LabelMedCheckClick();
    WaitUntilIdle(*logic);
    EXPECT_EQ(ui.events.last(), "findings " + c.patientLine);
    ASSERT_TRUE(logic->medicationCheck());
    EXPECT_EQ(ui.findingsShown.back().findings, logic->medicationCheck()->findings);
  }
  EXPECT_EQ(ui.findingsShown.front().count(FindingKind::Interaction), 2);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.errors.isEmpty());

  logic->FormClose();
  WaitUntilIdle(*logic);
  EXPECT_EQ(indicator(), IdleIndicator());
}

INSTANTIATE_TEST_SUITE_P(Roads, CheckIndicatorE2e, testing::ValuesIn(kEveryRoad), RoadName);
INSTANTIATE_TEST_SUITE_P(Servers, CheckIndicatorE2e, testing::ValuesIn(kServerKinds), RoadName);

// Nothing of a patient's check reaches the indicator once another patient has replaced it or the
// window has closed: the request is aborted with the patient's work.
TEST_F(CheckInFlightE2e, aReplacedOrClosedPatientsCheckNeverShows) {
  search(*logic, "1002");
  ASSERT_TRUE(checkRunning());
  EXPECT_EQ(logic->controls().patientNumberLabel.text, "1002");
  EXPECT_FALSE(logic->controls().MemoTain.lines.isEmpty()) << "the panes are shown while it runs";
  EXPECT_FALSE(indicator().opensFindings);
  logic->LabelMedCheckClick();
  EXPECT_TRUE(ui.findingsShown.empty()) << "nothing to open while it runs";

  search(*logic, "1001");
  ASSERT_TRUE(WaitUntilIdle(*logic));
  EXPECT_EQ(indicator().text, "成分重複 1");
  logic->LabelMedCheckClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(ui.events.last(), "findings 1001　中島　正之");

  search(*logic, "1002");
  ASSERT_TRUE(checkRunning());
  logic->FormClose();
  EXPECT_EQ(indicator(), IdleIndicator());
  EXPECT_FALSE(logic->working());
  EXPECT_EQ(logic->client().requestsInFlight(), 0);
  EXPECT_EQ(checkRequestEnds(), QStringList({"Cancelled", "ResponseCode=200", "Cancelled"}));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.errors.isEmpty());
}
