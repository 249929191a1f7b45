// The demo patients' saved PDFs (tools/orca-sim/demo-pdf) in the window against orca-sim: their
// institution months in the grid, the check-up month where ORCA has none, the two PDF buttons and
// the log of the merge.
#include <gtest/gtest.h>

#include <QDate>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <memory>

#include "core/ini_file.h"
#include "druginfo/drug_info_logic.h"
#include "recording_ui.h"
#include "sim_and_cli.h"
#include "wait_until_idle.h"

using namespace Qt::StringLiterals;

namespace {

QString DemoPdf(const QString& name) {
  return QStringLiteral(RINMED_DEMO_PDF_DIR "/") + name;
}

int RowNamed(const StringGrid& grid, const QString& name) {
  for (int row = 1; row < grid.rowCount(); ++row) {
    if (grid.cell(0, row) == name) return row;
  }
  return -1;
}

int ColumnOf(const StringGrid& grid, const QString& month) {
  for (int col = 1; col < grid.colCount(); ++col) {
    if (grid.cell(col, 0) == month) return col;
  }
  return -1;
}

// The months whose column holds "T" on the check-up row, the last row; empty without that row.
QStringList CheckUpMonths(const StringGrid& grid) {
  QStringList months;
  const int last = grid.rowCount() - 1;
  if (last < 1 || grid.cell(0, last) != u"特定健診"_s) return months;
  for (int col = 1; col < grid.colCount(); ++col) {
    if (grid.cell(col, last) == u"T"_s) months << grid.cell(col, 0);
  }
  return months;
}

QString MonthsBack(int months) {
  return QDate::currentDate().addMonths(-months).toString(u"yyyy-MM"_s);
}

}  // namespace

class SavedPdfE2e : public SimAndCli {
 protected:
  void SetUp() override {
    SimAndCli::SetUp();
    if (HasFatalFailure()) return;
    // The patients' files, with no list read in between because a push link came up.
    IFWriteIniStr(u"PARAMA"_s, u"PUSH"_s, u"0"_s);
    IFWriteIniStr(u"PARAMA"_s, u"PREPARE"_s, u"0"_s);
    logic = std::make_unique<DrugInfoLogic>(ui);
    logic->FormShow();
    WaitUntilIdle(*logic);
    ui.messages.clear();
    // Written after the window opened: both are read when the lookup runs.
    IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, QStringLiteral(RINMED_DEMO_PDF_DIR));
    IFWriteIniStr(u"PARAMA"_s, u"KIKANNAME"_s, u"見本台内科クリニック"_s);
  }

  // The window's search by number, as typed. The demo PDFs carry the number as the reception
  // list shows it ("_1X").
  void open(const QString& number) {
    logic->controls().ComboBoxSearch.itemIndex = 0;
    logic->controls().EditSearch.text = number;
    logic->BtnSearchClick();
    WaitUntilIdle(*logic);
  }

  RecordingUi ui;
  std::unique_ptr<DrugInfoLogic> logic;
};

TEST_F(SavedPdfE2e, theDemoPatientsPdfMonthsAndCheckUpsShowInTheGrid) {
  const QString undated =
      QFileInfo(DemoPdf(u"TKK_3X.pdf"_s)).lastModified().toLocalTime().toString(u"yyyy-MM"_s);
  const struct {
    QString number;
    QStringList entries;   // what the PDF adds, the clinic itself and pharmacies left out
    QStringList checkUps;  // the months of the check-up row's "T"
  } cases[] = {
      // ORCA has check-ups 5 and 17 months back: the PDF's month is not consulted.
      {u"1"_s,
       {u"さくら坂内科クリニック=2026-11"_s, u"さくら坂内科クリニック=2026-10"_s,
        u"さくら坂内科クリニック=2026-09"_s, u"みなと中央病院=2026-07"_s, u"みなと中央病院=2026-04"_s,
        u"あさひ皮膚科=2025-12"_s},
       {MonthsBack(5), MonthsBack(17)}},
      {u"2"_s,
       {u"あおば整形外科医院=2026-11"_s, u"あおば整形外科医院=2026-08"_s, u"みなと中央病院=2026-07"_s,
        u"みなと中央病院=2026-03"_s},
       {u"2026-06"_s}},
      {u"3"_s,
       {u"ひかり眼科=2026-10"_s, u"ひかり眼科=2026-06"_s, u"こもれび歯科医院=2026-05"_s},
       {undated}},  // prints no date: the file's month
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number.toStdString());
    open(c.number);
    ASSERT_TRUE(ui.messages.empty());
    const StringGrid& grid = logic->controls().GridInstitution;
    for (const QString& entry : c.entries) {
      EXPECT_TRUE(logic->tainLists()->treatmentMonths.contains(entry, Qt::CaseInsensitive))
          << entry.toStdString();
      const int row = RowNamed(grid, entry.section(u'=', 0, 0));
      const int col = ColumnOf(grid, entry.section(u'=', 1));
      ASSERT_GE(row, 1) << entry.toStdString();
      ASSERT_GE(col, 1) << entry.toStdString();
      EXPECT_TRUE(grid.cell(col, row) == u"○"_s || grid.cell(col, row) == u"*"_s) << entry.toStdString();
    }
    EXPECT_EQ(RowNamed(grid, u"見本台内科クリニック"_s), -1);
    EXPECT_EQ(RowNamed(grid, u"みどり調剤薬局"_s), -1);
    EXPECT_EQ(RowNamed(grid, u"ひまわり薬局"_s), -1);
    QStringList expectedCheckUps = c.checkUps;
    std::sort(expectedCheckUps.begin(), expectedCheckUps.end(), std::greater<>());
    EXPECT_EQ(CheckUpMonths(grid), expectedCheckUps);
  }

  // Typed with ORCA's leading zeros, the number is patient 1, whose files are "_1X".
  open(u"00001"_s);
  ASSERT_TRUE(ui.messages.empty());
  EXPECT_EQ(logic->patientId(), u"1"_s);
  EXPECT_GE(RowNamed(logic->controls().GridInstitution, u"あさひ皮膚科"_s), 1);

  // rinmed-cli shows the same grid from the same settings.
  const CliRun cli = runCli({"patient", "3"});
  EXPECT_EQ(cli.exitCode, 0);
  EXPECT_TRUE(cli.out.contains(u"こもれび歯科医院"_s));
  EXPECT_TRUE(cli.out.contains(u"特定健診\t"_s));
}

TEST_F(SavedPdfE2e, theMergeLogsTheFileItsCountAndEveryEntry) {
  open(u"1"_s);
  ASSERT_TRUE(ui.messages.empty());
  EXPECT_EQ(logMessages().filter(QRegularExpression(u"^PDF"_s)),
            (QStringList{u"PDF患者名一致: YZK_1X.pdf"_s, u"PDF抽出件数: 8"_s,
                         u"PDF: さくら坂内科クリニック=2026-11"_s, u"PDF: さくら坂内科クリニック=2026-10"_s,
                         u"PDF: さくら坂内科クリニック=2026-09"_s, u"PDF: みどり調剤薬局=2026-11"_s,
                         u"PDF: みなと中央病院=2026-07"_s, u"PDF: みなと中央病院=2026-04"_s,
                         u"PDF: 見本台内科クリニック=2026-10"_s, u"PDF: あさひ皮膚科=2025-12"_s}));
}

TEST_F(SavedPdfE2e, theButtonsOpenThePatientsFilesOrSayThereAreNone) {
  open(u"2"_s);
  ASSERT_TRUE(ui.messages.empty());
  logic->BtnPDFYClick();
  WaitUntilIdle(*logic);
  logic->BtnPDFTClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(ui.opened, (QStringList{DemoPdf(u"YZK_2X.pdf"_s), DemoPdf(u"TKK_2X.pdf"_s)}));
  EXPECT_TRUE(ui.messages.empty());

  open(u"4"_s);
  ASSERT_TRUE(ui.messages.empty());
  ui.opened.clear();
  logic->BtnPDFYClick();
  WaitUntilIdle(*logic);
  logic->BtnPDFTClick();
  WaitUntilIdle(*logic);
  EXPECT_TRUE(ui.opened.isEmpty());
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0],
            std::make_pair(MessageKind::Information, u"該当患者の薬剤PDFが見つかりませんでした。"_s));
  EXPECT_EQ(ui.messages[1],
            std::make_pair(MessageKind::Information, u"該当患者の特定健診PDFが見つかりませんでした。"_s));
}
