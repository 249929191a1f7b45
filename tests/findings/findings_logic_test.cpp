#include <gtest/gtest.h>

#include "core/core_error.h"
#include "findings/findings_logic.h"
#include "qt_printers.h"
#include "recording_findings_ui.h"

namespace {

MedicationCheck Interacting() {
  MedicationCheck check;
  check.checkedOn = QDate(2025, 6, 12);
  check.findings = {{FindingKind::Interaction,
                     {{"ロキソプロフェン錠", "699000106", "あおば整形外科医院", {2025, 6, 7}, 14},
                      {"ワルファリン錠", "699000111", "みなと中央病院", {2025, 5, 31}, 28}},
                     "出血しやすくなるおそれ",
                     "作用の増強",
                     false}};
  check.unchecked = {{{"架空エキス顆粒", "699999001", "あおば整形外科医院", {2025, 6, 7}, 14},
                      "ORCAで確認できませんでした（20）"}};
  check.warning = "症状詳細が５０件を超えました";
  return check;
}

TEST(FindingsLogic, theControlsShowThePatientTheStatusAndTheGroups) {
  RecordingFindingsUi ui;
  FindingsLogic logic(ui, Interacting(), "1002　小松　律子");
  const FindingsControls& c = logic.controls();
  EXPECT_EQ(c.LabelPatient.text, "1002　小松　律子");
  EXPECT_TRUE(c.LabelPatient.visible);
  EXPECT_EQ(c.LabelStatus.text, "相互作用 1　未確認 1\n警告：症状詳細が５０件を超えました");
  EXPECT_EQ(c.statusTone, CheckTone::Alarm);
  ASSERT_EQ(c.TreeFindings.size(), 2);
  EXPECT_EQ(c.TreeFindings[0].title, "相互作用（1件）");
  EXPECT_EQ(c.TreeFindings[0].entries[0].heading, "ロキソプロフェン錠 × ワルファリン錠");
  EXPECT_EQ(c.TreeFindings[1].title, "未確認（1剤）");
  EXPECT_EQ(c.TreeFindings[1].tone, CheckTone::Caution);
  EXPECT_EQ(c.BtnCopy.caption, "コピー");
  EXPECT_EQ(c.BtnPrint.caption, "印刷");

  FindingsLogic anonymous(ui, MedicationCheck(), QString());
  EXPECT_FALSE(anonymous.controls().LabelPatient.visible);
  EXPECT_EQ(anonymous.controls().LabelStatus.text, "所見なし");
  EXPECT_EQ(anonymous.controls().statusTone, CheckTone::Clear);
  EXPECT_TRUE(anonymous.controls().TreeFindings.isEmpty());
}

TEST(FindingsLogic, copyPutsThePatientAndTheReportOnTheClipboard) {
  RecordingFindingsUi ui;
  FindingsLogic logic(ui, Interacting(), "1002　小松　律子");
  logic.BtnCopyClick();
  EXPECT_EQ(ui.clipboard, "1002　小松　律子\r\n" + FindingsText(Interacting()));
}

TEST(FindingsLogic, printWritesTheSameLinesPageByPageAndEndsTheJob) {
  RecordingFindingsUi ui;
  ui.pageHeight = 500;  // lines at 100, 144, 188, 232, 276: the sixth would pass 500 − 200
  FindingsLogic logic(ui, Interacting(), "1002　小松　律子");
  logic.BtnPrintClick();
  const QStringList lines = logic.reportLines();
  QStringList expected{"<font 10>"};
  for (int i = 0; i < lines.size(); ++i) {
    expected << QStringLiteral("100,%1 %2").arg(100 + (i % 5) * 44).arg(lines[i]);
    if (i % 5 == 4) expected << "<page>";
  }
  expected << "<end>";
  EXPECT_EQ(ui.printed, expected);
}

TEST(FindingsLogic, withoutAPrinterTheErrorReachesTheWindow) {
  RecordingFindingsUi ui;
  FindingsLogic logic(ui, Interacting(), QString());
  EXPECT_THROW(logic.BtnPrintClick(), CoreError);
}

}  // namespace
