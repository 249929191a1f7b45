#include <QFileInfo>

#include "core/ini_file.h"
#include "saved_pdf_folder.h"
#include "savedpdf/pdf_buttons.h"

using namespace Qt::StringLiterals;

namespace {

PdfButtonAction Open(const QString& file) {
  PdfButtonAction a;
  a.kind = PdfButtonAction::Kind::Open;
  a.file = file;
  return a;
}

PdfButtonAction Box(MessageKind kind, const QString& text) {
  PdfButtonAction a;
  a.kind = PdfButtonAction::Kind::Message;
  a.messageKind = kind;
  a.message = text;
  return a;
}

const PdfButtonAction kNothing{};
const QString kNoDrugPdf = u"該当患者の薬剤PDFが見つかりませんでした。"_s;
const QString kNoCheckUpPdf = u"該当患者の特定健診PDFが見つかりませんでした。"_s;

}  // namespace

using PdfButtonsTest = SavedPdfFolderTest;

TEST_F(PdfButtonsTest, opensThePatientsFileOrSaysWhatIsMissing) {
  const QString yzk = touch(u"YZK_00001X.pdf"_s);
  const QString tkk = touch(u"tkk_00002X.PDF"_s);
  touch(u"YZK_00002x.pdf"_s);
  const struct {
    QString id;
    PdfButtonAction y, t;
  } cases[] = {
      {u"00001"_s, Open(yzk), Box(MessageKind::Information, kNoCheckUpPdf)},
      {u"00002"_s, Box(MessageKind::Information, kNoDrugPdf), Open(tkk)},
      {u"00003"_s, Box(MessageKind::Information, kNoDrugPdf), Box(MessageKind::Information, kNoCheckUpPdf)},
      {u"00001 "_s, Box(MessageKind::Information, kNoDrugPdf), Box(MessageKind::Information, kNoCheckUpPdf)},
      {u" "_s, Box(MessageKind::Warning, u"患者を選択してください。"_s),
       Box(MessageKind::Warning, u"患者を選択してください。"_s)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DrugPdfAction(c.id), c.y) << c.id.toStdString();
    EXPECT_EQ(CheckUpPdfAction(c.id), c.t) << c.id.toStdString();
  }
}

TEST_F(PdfButtonsTest, anEmptyFolderSaysNotFoundAndAMissingFolderDoesNothingEvenWithoutAPatient) {
  EXPECT_EQ(DrugPdfAction(u"00001"_s), Box(MessageKind::Information, kNoDrugPdf));
  EXPECT_EQ(CheckUpPdfAction(u"00001"_s), Box(MessageKind::Information, kNoCheckUpPdf));
  IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, path(u"gone"_s));
  EXPECT_EQ(DrugPdfAction(u"00001"_s), kNothing);
  EXPECT_EQ(DrugPdfAction(u""_s), kNothing);
  EXPECT_EQ(CheckUpPdfAction(u""_s), kNothing);
}

TEST_F(PdfButtonsTest, opensTheFirstMatchOfTheListingWithoutReadingIt) {
  // Neither file is a readable document; the button only hands the path on.
  for (const QString& f : {u"YZK_b_00004X.pdf"_s, u"YZK_a_00004X.pdf"_s, u"YZK_c_00004X.pdf"_s}) touch(f);
  EXPECT_EQ(DrugPdfAction(u"00004"_s), Open(pdfFolder() + u'/' + platformListing().first()));
}

TEST_F(PdfButtonsTest, searchesTheProgramFolderWhenSaveTxtIsBlank) {
  IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, u""_s);
  writeFile(u"TKK_00005X.pdf"_s, "%PDF-1.4\n");
  EXPECT_EQ(CheckUpPdfAction(u"00005"_s), Open(path(u"TKK_00005X.pdf"_s)));
}
