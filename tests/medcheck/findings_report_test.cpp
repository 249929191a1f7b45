#include <gtest/gtest.h>

#include "medcheck/check_indicator.h"
#include "medcheck/findings_report.h"
#include "qt_printers.h"

namespace {

const CheckedDrug kAmlodipineA{
    "アムロジピン錠５ｍｇ", "699000101", "さくら坂内科クリニック", {2025, 5, 20}, 28};
const CheckedDrug kAmlodipineB{"アムロジン錠５ｍｇ", "699000121", "みなと中央病院", {2025, 5, 30}, 28};
const CheckedDrug kAmlodipineOwn{"アムロジピン錠５ｍｇ", "699000101", "自院", {2025, 6, 2}, 28};
const CheckedDrug kLoxoprofen{"ロキソプロフェン錠", "699000106", "あおば整形外科医院", {2025, 6, 7}, 14};
const CheckedDrug kWarfarin{"ワルファリン錠", "699000111", "みなと中央病院", {2025, 5, 31}, 28};
const CheckedDrug kTape{"テープ剤", "", "あおば整形外科医院", {2025, 6, 7}, 0};

MedicationCheck Sample() {
  MedicationCheck check;
  check.checkedOn = QDate(2025, 6, 12);
  check.findings = {
      {FindingKind::Duplicate,
       {kAmlodipineOwn, kAmlodipineB, kAmlodipineA},
       "同一成分：アムロジピンベシル酸塩",
       {},
       false},
      {FindingKind::Interaction, {kLoxoprofen, kWarfarin}, "出血しやすくなるおそれ", "作用の増強", false},
  };
  check.unchecked = {{kTape, "薬剤コードがありません"}};
  return check;
}

TEST(FindingsReport, rowsPairEachDrugWithItsPartner) {
  EXPECT_EQ(FindingRows(Sample()),
            (QStringList{
                "成分重複\tアムロジピン錠５ｍｇ\t自院\t2025-06-"
                "02\t28\tアムロジン錠５ｍｇ\tみなと中央病院\t同一成分：アムロジピンベシル酸塩\t",
                "成分重複\tアムロジピン錠５ｍｇ\t自院\t2025-06-"
                "02\t28\tアムロジピン錠５ｍｇ\tさくら坂内科クリニック\t同一成分：アムロジピンベシル酸塩\t",
                "相互作用\tロキソプロフェン錠\tあおば整形外科医院\t2025-06-"
                "07\t14\tワルファリン錠\tみなと中央病院\t出血しやすくなるおそれ\t作用の増強",
            }));
  EXPECT_EQ(UncheckedRows(Sample()),
            QStringList{"未確認\tテープ剤\tあおば整形外科医院\t2025-06-07\t\t薬剤コードがありません"});
}

TEST(FindingsReport, theCommandPrintsFindingsUncheckedWarningAndFailure) {
  MedicationCheck check = Sample();
  check.warning = "症状詳細が５０件を超えました";
  check.failure = "ORCAがHTTP 500を返しました";
  const QStringList rows = CheckReportRows(check);
  ASSERT_EQ(rows.size(), 6);
  EXPECT_EQ(rows[3], UncheckedRows(check).first());
  EXPECT_EQ(rows[4], "警告\t症状詳細が５０件を超えました");
  EXPECT_EQ(rows[5], "チェックできませんでした\tORCAがHTTP 500を返しました");
  EXPECT_EQ(CheckReportRows(MedicationCheck()), QStringList{"所見なし"});
  // A tab inside a text would shift the columns.
  MedicationCheck tabbed;
  tabbed.failure = "a\tb";
  EXPECT_EQ(CheckReportRows(tabbed), QStringList{"チェックできませんでした\ta b"});
}

TEST(FindingsReport, theTextListsTheGroupsByKindForCopyAndPrint) {
  EXPECT_EQ(FindingsTextLines(Sample()),
            (QStringList{
                "併用・重複チェック　2025.06.12",
                "成分重複 1　相互作用 1　未確認 1",
                "",
                "【成分重複（1件）】",
                "同一成分：アムロジピンベシル酸塩",
                "　自院　アムロジピン錠５ｍｇ　2025.06.02　28日分",
                "　みなと中央病院　アムロジン錠５ｍｇ　2025.05.30　28日分",
                "　さくら坂内科クリニック　アムロジピン錠５ｍｇ　2025.05.20　28日分",
                "",
                "【相互作用（1件）】",
                "ロキソプロフェン錠 × ワルファリン錠",
                "　あおば整形外科医院　ロキソプロフェン錠　2025.06.07　14日分",
                "　みなと中央病院　ワルファリン錠　2025.05.31　28日分",
                "　症状・措置：出血しやすくなるおそれ",
                "　機序：作用の増強",
                "",
                "【未確認（1剤）】",
                "あおば整形外科医院　テープ剤　2025.06.07",
                "　薬剤コードがありません",
            }));
  EXPECT_TRUE(FindingsText(Sample()).endsWith("　薬剤コードがありません\r\n"));

  MedicationCheck failed;
  failed.checkedOn = QDate(2025, 6, 12);
  failed.failure = "ORCAがHTTP 404を返しました";
  EXPECT_EQ(FindingsTextLines(failed),
            (QStringList{"併用・重複チェック　2025.06.12", "チェックできませんでした",
                         "チェックできませんでした：ORCAがHTTP 404を返しました"}));
}

TEST(FindingsReport, theIndicatorsStates) {
  MedicationCheck clear;
  MedicationCheck unchecked;
  unchecked.unchecked = {{kTape, "薬剤コードがありません"}, {kTape, "薬剤コードがありません"}};
  MedicationCheck failed;
  failed.failure = "ORCAがHTTP 500を返しました";
  MedicationCheck warned = Sample();
  warned.unchecked.clear();
  warned.warning = "症状詳細が５０件を超えました";
  const struct {
    const char* what;
    MedicationCheck check;
    QString text;
    CheckTone tone;
    QStringList tips;
  } cases[] = {
      {"nothing found", clear, "所見なし", CheckTone::Clear, {"クリックすると一覧を開きます"}},
      {"drugs left unchecked",
       unchecked,
       "未確認 2",
       CheckTone::Caution,
       {"未確認：2剤", "クリックすると一覧を開きます"}},
      {"findings",
       Sample(),
       "成分重複 1　相互作用 1　未確認 1",
       CheckTone::Alarm,
       {"成分重複：1件", "相互作用：1件", "未確認：1剤", "クリックすると一覧を開きます"}},
      {"a failed check",
       failed,
       "チェックできませんでした",
       CheckTone::Alarm,
       {"チェックできませんでした：ORCAがHTTP 500を返しました", "クリックすると一覧を開きます"}},
      {"K1",
       warned,
       "成分重複 1　相互作用 1",
       CheckTone::Alarm,
       {"成分重複：1件", "相互作用：1件", "警告：症状詳細が５０件を超えました",
        "クリックすると一覧を開きます"}},
  };
  for (const auto& c : cases) {
    const CheckIndicator indicator = IndicatorOf(c.check);
    EXPECT_EQ(indicator.text, c.text) << c.what;
    EXPECT_EQ(indicator.tone, c.tone) << c.what;
    EXPECT_EQ(indicator.toolTip, c.tips.join('\n')) << c.what;
    EXPECT_TRUE(indicator.opensFindings) << c.what;
  }
  EXPECT_FALSE(RunningIndicator().opensFindings);
  EXPECT_EQ(RunningIndicator().tone, CheckTone::Neutral);
  EXPECT_EQ(IdleIndicator().text, QString());
}

}  // namespace
