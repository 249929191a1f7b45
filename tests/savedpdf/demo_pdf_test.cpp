// The demo patients' saved PDFs of tools/orca-sim/demo-pdf, read as the program reads them.
#include <QFileInfo>

#include "core/ini_file.h"
#include "pdf/date_extract.h"
#include "pdf/institution_months.h"
#include "pdf/stream_scan.h"
#include "saved_pdf_folder.h"
#include "savedpdf/drug_pdf_merge.h"
#include "savedpdf/find_patient_pdf.h"
#include "savedpdf/pdf_buttons.h"
#include "savedpdf/tkk_month.h"

using namespace Qt::StringLiterals;

namespace {

QString DemoPdf(const QString& name) {
  return QStringLiteral(RINMED_DEMO_PDF_DIR "/") + name;
}

}  // namespace

TEST(DemoPdf, drugInformationDocumentsNameThePatientAndPrintTheirInstitutionMonths) {
  const struct {
    QString file, patient;
    QStringList entries;
  } cases[] = {
      {u"YZK_1X.pdf"_s,
       u"山田　太郎"_s,
       {u"さくら坂内科クリニック=2026-11"_s, u"さくら坂内科クリニック=2026-10"_s,
        u"さくら坂内科クリニック=2026-09"_s, u"みどり調剤薬局=2026-11"_s, u"みなと中央病院=2026-07"_s,
        u"みなと中央病院=2026-04"_s, u"見本台内科クリニック=2026-10"_s, u"あさひ皮膚科=2025-12"_s}},
      {u"YZK_2X.pdf"_s,
       u"佐藤　花子"_s,
       {u"あおば整形外科医院=2026-11"_s, u"あおば整形外科医院=2026-08"_s, u"ひまわり薬局=2026-09"_s,
        u"みなと中央病院=2026-07"_s, u"みなと中央病院=2026-03"_s}},
      {u"YZK_3X.pdf"_s,
       u"鈴木　一郎"_s,
       {u"ひかり眼科=2026-10"_s, u"ひかり眼科=2026-06"_s, u"こもれび歯科医院=2026-05"_s}},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(PdfNamesPatient(DemoPdf(c.file), c.patient)) << c.file.toStdString();
    QStringList entries;
    ExtractInstitutionMonths(DemoPdf(c.file), entries);
    EXPECT_EQ(entries, c.entries) << c.file.toStdString();
  }
}

TEST(DemoPdf, checkUpDocumentsCarryTheirExaminationMonthOrNone) {
  const struct {
    QString file, patient, month;
  } cases[] = {
      {u"TKK_1X.pdf"_s, u"山田　太郎"_s, u"2026-07"_s},  // after 実施, not the earlier 前回 date
      {u"TKK_2X.pdf"_s, u"佐藤　花子"_s, u"2026-06"_s},
      {u"TKK_3X.pdf"_s, u"鈴木　一郎"_s, u""_s},  // no date: the file's month stands in
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(ExtractTextFromPdf(DemoPdf(c.file)).contains(c.patient)) << c.file.toStdString();
    EXPECT_EQ(ExtractDateFromPdf(DemoPdf(c.file)), c.month) << c.file.toStdString();
  }
}

using DemoPdfFolderTest = SavedPdfFolderTest;

TEST_F(DemoPdfFolderTest, theDemoFolderServesTheButtonsTheMergeAndTheCheckUpFallback) {
  IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, QStringLiteral(RINMED_DEMO_PDF_DIR));
  EXPECT_EQ(DrugPdfAction(u"1"_s).file, DemoPdf(u"YZK_1X.pdf"_s));
  EXPECT_EQ(CheckUpPdfAction(u"3"_s).file, DemoPdf(u"TKK_3X.pdf"_s));
  EXPECT_EQ(CheckUpPdfAction(u"4"_s).message, u"該当患者の特定健診PDFが見つかりませんでした。"_s);
  EXPECT_EQ(CheckUpPdfMonthOf(u"2"_s), u"2026-06"_s);
  const QString undated = QFileInfo(DemoPdf(u"TKK_3X.pdf"_s)).lastModified().toString(u"yyyy-MM"_s);
  EXPECT_EQ(CheckUpPdfMonthOf(u"3"_s), undated);

  // The demo clinic is 見本台内科クリニック, own code 1234567; its own line and the pharmacy drop out.
  TainLists lists;
  MergeSavedDrugPdf(lists, {u"1"_s, u"山田　太郎"_s, u"1234567"_s, u"見本台内科クリニック"_s});
  EXPECT_EQ(lists.treatmentMonths,
            (QStringList{u"さくら坂内科クリニック=2026-11"_s, u"さくら坂内科クリニック=2026-10"_s,
                         u"さくら坂内科クリニック=2026-09"_s, u"みなと中央病院=2026-07"_s,
                         u"みなと中央病院=2026-04"_s, u"あさひ皮膚科=2025-12"_s}));
  EXPECT_EQ(logMessages().mid(0, 2), (QStringList{u"PDF患者名一致: YZK_1X.pdf"_s, u"PDF抽出件数: 8"_s}));
}
