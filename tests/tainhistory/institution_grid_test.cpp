#include <gtest/gtest.h>

#include "history_fixtures.h"
#include "tainhistory/institution_grid.h"
#include "tainhistory/yakureki_text.h"

namespace {

const QString kSelf = QStringLiteral("9999999");

// The grid as text: cells of a row joined by "," and rows by " / ".
QString Cells(const StringGrid& grid) {
  QStringList rows;
  for (int r = 0; r < grid.rowCount(); ++r) {
    QStringList cols;
    for (int c = 0; c < grid.colCount(); ++c) cols << grid.cell(c, r);
    rows << cols.join(QLatin1Char(','));
  }
  return rows.join(QStringLiteral(" / "));
}

}  // namespace

TEST(InstitutionGrid, withoutAnyDataOnlyTheHeaderRowRemains) {
  const TainOverview overview = TainOverviewOf(TainLists(), kSelf);
  EXPECT_EQ(Cells(overview.grid), QStringLiteral("医療機関名,"));
  EXPECT_EQ(overview.grid.rowCount(), 1);
  EXPECT_EQ(overview.grid.colCount(), 2);
  EXPECT_EQ(overview.grid.fixedRows, 1);
  EXPECT_EQ(overview.grid.fixedCols, 0);
  EXPECT_EQ(overview.grid.colWidth(0), 160);
  EXPECT_EQ(overview.grid.colWidth(1), 80);
  EXPECT_EQ(overview.grid.defaultRowHeight, 18);
  EXPECT_EQ(overview.panelTopGridHeight, 68);
  EXPECT_TRUE(overview.grid.horizontalScrollBar);
  EXPECT_FALSE(overview.grid.verticalScrollBar);
  EXPECT_FALSE(overview.btnBackVisible);
  EXPECT_EQ(overview.labelTainName, QStringLiteral("他院"));
  EXPECT_TRUE(overview.memoTain.isEmpty());
}

TEST(InstitutionGrid, clearedGridIsTheStartingState) {
  StringGrid grid(5, 4);
  grid.setCell(3, 2, QStringLiteral("○"));
  ResetInstitutionGrid(grid);
  EXPECT_EQ(Cells(grid), QStringLiteral("医療機関名, / ,"));
  EXPECT_EQ(grid.fixedCols, 1);
  EXPECT_EQ(grid.colWidth(0), 160);
  EXPECT_EQ(grid.colWidth(1), 80);
}

TEST(InstitutionGrid, recordsListsAndCheckUpsMergeIntoRowsByFirstMeetingAndMonthsNewestFirst) {
  TainLists lists;
  lists.prescriptions = {
      Presc(QStringLiteral("A医院"), QStringLiteral("1310000001"), QStringLiteral("20240509")),
      Presc(QStringLiteral("当院"), QStringLiteral("1319999999"), QStringLiteral("20220101")),
      Presc(QStringLiteral("みなと薬局"), QStringLiteral("1340000002"), QStringLiteral("20240310")),
      Presc(QStringLiteral("A医院"), QStringLiteral("1310000001"), QStringLiteral("20240612")),
  };
  lists.institutionMonths = {QStringLiteral("A医院|2024-05"), QStringLiteral("ひかり医院|2023-11"),
                             QStringLiteral("つばめ薬局|2021-10"), QStringLiteral("区切りなし医院2021-09")};
  lists.treatmentMonths = {QStringLiteral("a医院=2024-04"), QStringLiteral("さくら内科=2024-06"),
                           QStringLiteral("ひかり医院=2024-03")};
  lists.checkUpDates = {QStringLiteral("2024-05-20"), QStringLiteral("2023-06-01")};
  // A saved PDF's month counts only without online dates.
  const StringGrid grid = BuildInstitutionGrid(lists, kSelf, QStringLiteral("2020-01"));

  EXPECT_EQ(Cells(grid),
            QStringLiteral("医療機関名,2024-06,2024-05,2024-04,2024-03,2023-11,2023-06 / "
                           "A医院,○,○,,,, / "     // a医院 shares the row but marks nothing
                           "みなと薬局,,,,,, / "  // a pharmacy's record: row and month, no mark
                           "ひかり医院,,,,*,*, / "
                           "さくら内科,*,,,,, / "
                           "特定健診,,T,,,,T"));
  EXPECT_EQ(grid.fixedCols, 1);
  EXPECT_EQ(grid.colWidths(), QList<int>({160, 80, 80, 80, 80, 80, 80}));
}

TEST(InstitutionGrid, withoutOnlineDatesTheSavedCheckUpPdfGivesTheRow) {
  TainLists lists;
  const std::optional<QString> pdf = QStringLiteral("2023-09");
  EXPECT_EQ(Cells(BuildInstitutionGrid(lists, kSelf, pdf)),
            QStringLiteral("医療機関名,2023-09 / 特定健診,T"));

  lists.treatmentMonths = {QStringLiteral("ひかり医院=2023-11")};
  EXPECT_EQ(Cells(BuildInstitutionGrid(lists, kSelf, pdf)),
            QStringLiteral("医療機関名,2023-11,2023-09 / ひかり医院,*, / 特定健診,,T"));

  const std::optional<QString> none;
  EXPECT_EQ(Cells(BuildInstitutionGrid(lists, kSelf, none)),
            QStringLiteral("医療機関名,2023-11 / ひかり医院,*"));
  EXPECT_EQ(Cells(BuildInstitutionGrid(lists, kSelf)), QStringLiteral("医療機関名,2023-11 / ひかり医院,*"));
}

TEST(InstitutionGrid, panelHeightAndScrollBarsFollowTheRowCount) {
  struct Case {
    int rows;
    int height;
    bool scroll;
  } cases[] = {{1, 68, false},   {2, 68, false},  {3, 87, false},
               {10, 220, false}, {11, 220, true}, {40, 220, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rows);
    EXPECT_EQ(PanelTopGridHeight(c.rows, 18), c.height);
    EXPECT_EQ(RowsScroll(c.rows), c.scroll);
  }

  TainLists nine;
  for (int i = 0; i < 9; ++i) nine.treatmentMonths << QStringLiteral("医院%1=2024-01").arg(i);
  const TainOverview overview = TainOverviewOf(nine, kSelf);
  EXPECT_EQ(overview.grid.rowCount(), 10);
  EXPECT_EQ(overview.panelTopGridHeight, 220);
  EXPECT_FALSE(overview.grid.verticalScrollBar);
}

TEST(InstitutionGrid, overviewTextLeavesOutTheClinicAndOlderDays) {
  TainLists lists;
  lists.prescriptions = {
      Presc(QStringLiteral("A医院"), QStringLiteral("1310000001"), QStringLiteral("20240401")),
      Presc(QStringLiteral("当院"), QStringLiteral("1319999999"), QStringLiteral("20240501")),
      Presc(QStringLiteral("A医院"), QStringLiteral("1310000001"), QStringLiteral("20240509")),
  };
  EXPECT_EQ(TainOverviewOf(lists, kSelf).memoTain, QStringLiteral("2024.05.09\u3000A医院\r\n"));
}

TEST(InstitutionGrid, aDoubleClickOpensOnlyNamedRowsUnderTheHeader) {
  TainLists lists;
  lists.treatmentMonths = {QStringLiteral(" ひかり医院 =2023-11")};
  const StringGrid grid = BuildInstitutionGrid(lists, kSelf);
  struct Case {
    int row;
    const char* name;
  } cases[] = {{-1, ""}, {0, ""}, {1, "ひかり医院"}, {2, ""}};
  for (const Case& c : cases) EXPECT_EQ(InstitutionAtRow(grid, c.row), QString::fromUtf8(c.name));
}
