#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPrinter>
#include <QProcess>
#include <QStyle>
#include <QTableWidget>

#include "core/clock.h"
#include "druginfo/drug_info_view.h"
#include "history_fixtures.h"
#include "recording_ui.h"
#include "scripted_orca.h"
#include "temp_program_folder.h"
#include "wait_until_idle.h"
#include "widgets/qt_print_job.h"

namespace {

// The printed page read back as text laid out as it stands on the page.
QStringList PdfLines(const QString& pdf) {
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
  if (!p.waitForFinished(20000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'));
}

class PrintViewTest : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    SetClockForTesting([] { return QDateTime(QDate(2024, 5, 1), QTime(10, 0)); });
    window = std::make_unique<TfrmDrugInfo>(nullptr, [](const QString&, const QString&) {});
    window->show();
    // The layout rule, measured on the same printer: lines from y = 100 while y stays within
    // page height − 200.
    QtPrintJob probe(pdfPrinter());
    probe.SetFixedPitchFont(10);
    lineStep = probe.TextHeight(QStringLiteral("A")) + 4;
    for (int y = 100; y <= probe.PageHeight() - 200; y += lineStep) ++linesPerPage;
    probe.EndDoc();
  }

  // Opens patient 7, whom the drug summary knows at these institutions in these months and of
  // whom ORCA knows nothing else.
  void openPatientKnownAt(const QList<SummaryMonth>& months) {
    orca.configure();
    orca.answer(QStringLiteral("api01rv2/patientgetv2?id=7"),
                HttpAction::Ok("<xmlio2>\n  <WholeName type=\"string\">試験　患者</WholeName>\n</xmlio2>\n"));
    orca.answerWhenBodyHolds(QStringLiteral("api01rv2/onlinedruggetv2"),
                             "<Request_Number type=\"string\">01</Request_Number>",
                             HttpAction::Ok(DrugSummaryAnswer(QString(), months)));
    DrugInfoLogic& logic = window->logic();
    logic.GetWebORCAInfo();
    logic.controls().EditSearch.text = QStringLiteral("7");
    logic.BtnSearchClick();
    WaitUntilIdle(logic);
  }

  // A4 at 300 dots per inch, written to a PDF file instead of a printer.
  std::unique_ptr<QPrinter> pdfPrinter() const {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path(QStringLiteral("print.pdf")));
    printer->setResolution(300);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
  }

  // BtnPrint's road with the PDF printer as the default one.
  QString printToPdf() {
    ui.onPrint = [this] { return std::make_unique<QtPrintJob>(pdfPrinter()); };
    DrugInfoLogic logic(ui);
    logic.controls().MemoTain.lines = window->logic().controls().MemoTain.lines;
    logic.BtnPrintClick();
    return path(QStringLiteral("print.pdf"));
  }

  RecordingUi ui;
  ScriptedOrca orca;
  std::unique_ptr<TfrmDrugInfo> window;
  int lineStep = 0;
  int linesPerPage = 0;
};

}  // namespace

TEST_F(PrintViewTest, linesArePrintedInOrderAndAPageHoldsWhatFitsAboveTheBottomReserve) {
  QStringList& memo = window->logic().controls().MemoTain.lines;
  for (int i = 1; i <= 120; ++i)
    memo << QStringLiteral("%1-アムロジピン錠５ｍｇ").arg(i, 3, 10, QLatin1Char('0'));
  const QStringList text = PdfLines(printToPdf());
  ASSERT_FALSE(text.isEmpty());
  // A 10-point line at 300 dots per inch is about 42 dots high with its gap.
  EXPECT_NEAR(lineStep, 10.0 / 72 * 300 + 4, 6);
  QStringList printed;
  int pages = 1;
  for (const QString& line : text) {
    if (line.contains(QChar(0x0C))) ++pages;
    if (line.contains(QStringLiteral("アムロジピン"))) printed << line.trimmed().remove(QChar(0x0C));
  }
  ASSERT_EQ(printed.size(), 120);
  EXPECT_EQ(printed.first(), QStringLiteral("001-アムロジピン錠５ｍｇ"));
  EXPECT_EQ(printed.last(), QStringLiteral("120-アムロジピン錠５ｍｇ"));
  // pdftotext ends every page with a form feed, which lands at the start of the next line; the
  // first page holds exactly what fits.
  EXPECT_EQ(pages - 1, (120 + linesPerPage - 1) / linesPerPage);
  const qsizetype firstPageEnd = text.indexOf(text.filter(QChar(0x0C)).first());
  EXPECT_EQ(text.mid(0, firstPageEnd).filter(QStringLiteral("アムロジピン")).size(), linesPerPage);
}

TEST_F(PrintViewTest, institutionGridShowsTheModelAndPanelHeight) {
  DrugInfoLogic& logic = window->logic();
  openPatientKnownAt(
      {{QStringLiteral("2023-11"), {{QStringLiteral("1310000011"), QStringLiteral("ひかり医院"), {}, {}}}},
       {QStringLiteral("2024-02"), {{QStringLiteral("1310000022"), QStringLiteral("みなと病院"), {}, {}}}}});
  window->showModels();
  auto* grid = window->findChild<QTableWidget*>(QStringLiteral("GridInstitution"));
  ASSERT_TRUE(grid);
  EXPECT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("2024-02"));
  EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("*"));
  EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("PanelTopGrid"))->height(), 3 * 19 + 30);

  // The fixed first column is drawn as row headers, so it stays put when the months scroll.
  EXPECT_TRUE(grid->isColumnHidden(0));
  EXPECT_EQ(grid->verticalHeaderItem(0)->text(), QStringLiteral("ひかり医院"));
  emit grid->verticalHeader()->sectionDoubleClicked(0);
  EXPECT_EQ(logic.selectedInst(), QStringLiteral("ひかり医院"));
}

TEST_F(PrintViewTest, aGridWiderThanThePanelLeavesItsLastRowAboveTheScrollBar) {
  QList<SummaryMonth> months;
  for (int month = 1; month <= 12; ++month) {
    for (const QString& year : {QStringLiteral("2023"), QStringLiteral("2024")}) {
      months.append({year + QStringLiteral("-%1").arg(month, 2, 10, QLatin1Char('0')),
                     {{QStringLiteral("1310000011"), QStringLiteral("ひかり医院"), {}, {}}}});
    }
  }
  openPatientKnownAt(months);
  window->showModels();
  auto* grid = window->findChild<QTableWidget*>(QStringLiteral("GridInstitution"));
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("PanelTopGrid"))->height(),
            2 * 19 + 30 + grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}
