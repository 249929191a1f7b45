#include <time.h>

#include <QDateTime>

#include "saved_pdf_folder.h"
#include "savedpdf/tkk_month.h"
#include "tainhistory/institution_grid.h"

using namespace Qt::StringLiterals;

namespace {

// Local time in a zone nine hours ahead of UTC for the life of a scope, so that a month taken in
// UTC instead of local time shows.
class JapanTime {
 public:
  JapanTime() : old_(qgetenv("TZ")), had_(qEnvironmentVariableIsSet("TZ")) {
    qputenv("TZ", "JST-9");
    tzset();
  }
  ~JapanTime() {
    if (had_)
      qputenv("TZ", old_);
    else
      qunsetenv("TZ");
    tzset();
  }

 private:
  QByteArray old_;
  bool had_;
};

}  // namespace

using TkkMonthTest = SavedPdfFolderTest;

TEST_F(TkkMonthTest, takesThePrintedDateBeforeTheFilesTime) {
  const QString file = copyFixture("checkup.pdf", u"TKK_00001X.pdf"_s);
  setModified(file, QDateTime(QDate(2021, 1, 5), QTime(9, 0)));
  EXPECT_EQ(GetTkkMonth(file), u"2024-05"_s);
}

TEST_F(TkkMonthTest, aDocumentWithoutADateGivesTheLocalMonthOfItsLastModification) {
  const JapanTime japan;
  const QString file = copyFixture("nodate.pdf", u"TKK_00001X.pdf"_s);
  // 2023-03-31 20:30 UTC is already April in Japan.
  setModified(file, QDateTime(QDate(2023, 3, 31), QTime(20, 30), Qt::UTC));
  EXPECT_EQ(GetTkkMonth(file), u"2023-04"_s);
  setModified(file, QDateTime(QDate(2022, 11, 15), QTime(12, 0), Qt::UTC));
  EXPECT_EQ(GetTkkMonth(file), u"2022-11"_s);
}

TEST_F(TkkMonthTest, theFallbackUsesThePatientsFirstCheckUpPdfWhateverNameItPrints) {
  EXPECT_EQ(CheckUpPdfMonthOf(u"00009"_s), std::nullopt);
  copyFixture("checkup.pdf", u"TKK_00009X.pdf"_s);  // it names 山田　太郎, not patient 9
  copyFixture("druginfo.pdf", u"YZK_00008X.pdf"_s);
  EXPECT_EQ(CheckUpPdfMonthOf(u"00009"_s), u"2024-05"_s);
  EXPECT_EQ(CheckUpPdfMonthOf(u"00008"_s), std::nullopt);
  EXPECT_EQ(CheckUpPdfMonthOf(u""_s), std::nullopt);
}

TEST_F(TkkMonthTest, theGridShowsTheCheckUpInTheMonthOfAnUndatedPdf) {
  const QString file = copyFixture("nodate.pdf", u"TKK_00003X.pdf"_s);
  setModified(file, QDateTime(QDate(2023, 8, 10), QTime(12, 0)));
  TainLists lists;
  lists.treatmentMonths = {u"ひかり眼科=2023-10"_s};
  const StringGrid grid =
      BuildInstitutionGrid(lists, QString(), CheckUpFallbackOf(lists, u"00003"_s));
  ASSERT_EQ(grid.rowCount(), 3);
  ASSERT_EQ(grid.colCount(), 3);
  EXPECT_EQ(grid.rowCells(0), (QStringList{u"医療機関名"_s, u"2023-10"_s, u"2023-08"_s}));
  EXPECT_EQ(grid.rowCells(2), (QStringList{u"特定健診"_s, u""_s, u"T"_s}));
  // Check-up dates from ORCA need no PDF.
  lists.checkUpDates = {u"2023-09-01"_s};
  EXPECT_EQ(CheckUpFallbackOf(lists, u"00003"_s), std::nullopt);
}
