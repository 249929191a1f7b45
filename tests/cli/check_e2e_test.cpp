#include <gtest/gtest.h>

#include <QDate>

#include "async/run_blocking.h"
#include "medcheck/findings_logic.h"
#include "orca/orca_client.h"
#include "sim_and_cli.h"
#include "uikit/headless_desktop.h"
#include "usecases/check_medication.h"
#include "usecases/find_patient.h"
#include "usecases/open_patient.h"

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
    client.setConnection(GetWebORCAInfo());
    const NumberSearch found = RunBlocking(FindPatientByNumber(client, number));
    EXPECT_FALSE(found.message);
    *name = found.name;
    const OpenedPatient opened = RunBlocking(OpenPatient(client, number, found.name, QString(), TainLists()));
    return RunBlocking(CheckMedication(client, CheckInputOf(number, opened)));
  }
};

class CheckFailureE2e : public CheckE2e {
 protected:
  QStringList extraSimArguments() const override { return {"--fail", "contraindicationcheckv2=500"}; }
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
