#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "findings/check_indicator_label.h"
#include "findings/findings_window.h"
#include "findings/tone_colour.h"
#include "qt_printers.h"
#include "recording_findings_ui.h"

namespace {

MedicationCheck Sample() {
  MedicationCheck check;
  check.checkedOn = QDate(2025, 6, 12);
  check.findings = {
      {FindingKind::Duplicate,
       {{"アムロジン錠５ｍｇ", "699000121", "みなと中央病院", {2025, 6, 2}, 28},
        {"アムロジピン錠５ｍｇ", "699000101", "さくら坂内科クリニック", {2025, 5, 23}, 28}},
       "同一成分：アムロジピンベシル酸塩",
       {},
       false},
      {FindingKind::Interaction,
       {{"ロキソプロフェン錠", "699000106", "あおば整形外科医院", {2025, 6, 7}, 14},
        {"ワルファリン錠", "699000111", "みなと中央病院", {2025, 5, 31}, 28}},
       "出血しやすくなるおそれ",
       "作用の増強",
       false},
  };
  return check;
}

QStringList Texts(const QTreeWidgetItem* item) {
  QStringList texts{item->text(0)};
  for (int i = 0; i < item->childCount(); ++i) {
    for (const QString& t : Texts(item->child(i))) texts << QStringLiteral("  ") + t;
  }
  return texts;
}

TEST(FindingsView, theWindowListsTheGroupsAsTheLogicHasThem) {
  RecordingFindingsUi ui;
  TfrmMedCheck window(nullptr, Sample(), "1001　中島　正之", &ui);
  window.show();
  EXPECT_EQ(window.objectName(), "frmMedCheck");
  EXPECT_EQ(window.findChild<QLabel*>("LabelPatient")->text(), "1001　中島　正之");
  QLabel* status = window.findChild<QLabel*>("LabelStatus");
  EXPECT_EQ(status->text(), "成分重複 1　相互作用 1");
  EXPECT_EQ(status->palette().color(QPalette::WindowText), ToneColour(CheckTone::Alarm));

  auto* tree = window.findChild<QTreeWidget*>("TreeFindings");
  ASSERT_EQ(tree->topLevelItemCount(), 2);
  EXPECT_EQ(Texts(tree->topLevelItem(0)),
            (QStringList{"成分重複（1件）", "  同一成分：アムロジピンベシル酸塩",
                         "    みなと中央病院　アムロジン錠５ｍｇ　2025.06.02　28日分",
                         "    さくら坂内科クリニック　アムロジピン錠５ｍｇ　2025.05.23　28日分"}));
  EXPECT_EQ(tree->topLevelItem(1)->text(0), "相互作用（1件）");
  EXPECT_EQ(tree->topLevelItem(1)->foreground(0).color(), ToneColour(CheckTone::Alarm));
  EXPECT_TRUE(tree->topLevelItem(1)->child(0)->isExpanded());
}

TEST(FindingsView, copyAndPrintButtonsRunTheLogicsHandlers) {
  RecordingFindingsUi ui;
  ui.pageHeight = 100000;
  TfrmMedCheck window(nullptr, Sample(), "1001　中島　正之", &ui);
  window.show();
  auto* copy = window.findChild<QPushButton*>("BtnCopy");
  auto* print = window.findChild<QPushButton*>("BtnPrint");
  EXPECT_EQ(copy->text(), "コピー");
  EXPECT_EQ(print->text(), "印刷");
  QTest::mouseClick(copy, Qt::LeftButton);
  EXPECT_EQ(ui.clipboard, "1001　中島　正之\r\n" + FindingsText(Sample()));
  QTest::mouseClick(print, Qt::LeftButton);
  ASSERT_FALSE(ui.printed.isEmpty());
  EXPECT_EQ(ui.printed.value(1), "100,100 1001　中島　正之");
  EXPECT_EQ(ui.printed.last(), "<end>");
  QTest::mouseClick(window.findChild<QPushButton*>("BtnClose"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
}

TEST(FindingsView, theIndicatorLabelShowsEachStateAndOpensOnlyAResult) {
  MedicationCheck unchecked;
  unchecked.unchecked = {{{"市販薬", "", "あおば整形外科医院", {2025, 6, 7}, 0}, "薬剤コードがありません"}};
  MedicationCheck failed;
  failed.failure = "ORCAがHTTP 500を返しました";
  const struct {
    const char* what;
    CheckIndicator indicator;
    QString text;
    QColor colour;
    bool opens;
  } cases[] = {
      {"before a patient", IdleIndicator(), "", QPalette().color(QPalette::WindowText), false},
      {"while it runs", RunningIndicator(), "併用・重複チェック中…", QPalette().color(QPalette::WindowText),
       false},
      {"findings in red", IndicatorOf(Sample()), "成分重複 1　相互作用 1", QColor(0xCC, 0, 0), true},
      {"no findings", IndicatorOf(MedicationCheck()), "所見なし", QColor(0, 0x70, 0x20), true},
      {"unchecked", IndicatorOf(unchecked), "未確認 1", QColor(0xB3, 0x5C, 0), true},
      {"failed", IndicatorOf(failed), "チェックできませんでした", QColor(0xCC, 0, 0), true},
  };
  QWidget window;
  auto* label = new CheckIndicatorLabel(&window);
  label->resize(300, 20);
  window.show();
  QSignalSpy clicks(label, &CheckIndicatorLabel::clicked);
  for (const auto& c : cases) {
    label->showIndicator(c.indicator);
    EXPECT_EQ(label->objectName(), "LabelMedCheck");
    EXPECT_EQ(label->text(), c.text) << c.what;
    EXPECT_EQ(label->palette().color(QPalette::WindowText), c.colour) << c.what;
    EXPECT_EQ(label->toolTip(), c.indicator.toolTip) << c.what;
    EXPECT_EQ(label->cursor().shape(), c.opens ? Qt::PointingHandCursor : Qt::ArrowCursor) << c.what;
    clicks.clear();
    QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.size(), c.opens ? 1 : 0) << c.what;
  }
}

}  // namespace
