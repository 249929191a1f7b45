#include <QDir>
#include <QFileInfo>

#include "core/ini_file.h"
#include "pdf/pdf_error.h"
#include "pdf_builder.h"
#include "saved_pdf_folder.h"
#include "savedpdf/find_patient_pdf.h"
#include "savedpdf/pdf_folder.h"

using namespace Qt::StringLiterals;

namespace {

QString NameOf(const std::optional<QString>& path) {
  return path ? QFileInfo(*path).fileName() : u"(none)"_s;
}

}  // namespace

using FindPatientPdfTest = SavedPdfFolderTest;

TEST_F(FindPatientPdfTest, choosesByMaskWithoutCaseAndByTheExactKey) {
  const struct {
    QStringList files;
    QString mask;
    QString id;
    QString chosen;
  } cases[] = {
      {{u"YZK_12345X.pdf"_s}, u"YZK*.pdf"_s, u"12345"_s, u"YZK_12345X.pdf"_s},
      {{u"yzk-2024_12345X_2.PDF"_s}, u"YZK*.pdf"_s, u"12345"_s, u"yzk-2024_12345X_2.PDF"_s},
      {{u"YZK_12345x.pdf"_s, u"YZK_012345X.pdf"_s, u"YZK_123456X.pdf"_s},
       u"YZK*.pdf"_s,
       u"12345"_s,
       u"(none)"_s},
      {{u"TKK_12345X.pdf"_s, u"XYZK_12345X.pdf"_s, u"YZK_12345X.pdf.bak"_s},
       u"YZK*.pdf"_s,
       u"12345"_s,
       u"(none)"_s},
      {{u"TKK_12345X.pdf"_s, u"YZK_12345X.pdf"_s}, u"TKK*.pdf"_s, u"12345"_s, u"TKK_12345X.pdf"_s},
      // The key is built from the number as held: a trailing blank finds nothing.
      {{u"YZK_12345X.pdf"_s}, u"YZK*.pdf"_s, u"12345 "_s, u"(none)"_s},
      {{u"YZK_ 12345X.pdf"_s}, u"YZK*.pdf"_s, u" 12345"_s, u"YZK_ 12345X.pdf"_s},
      {{u"YZK__X.pdf"_s}, u"YZK*.pdf"_s, u"  "_s, u"(none)"_s},
      {{u"YZK__X.pdf"_s}, u"YZK*.pdf"_s, u""_s, u"(none)"_s},
  };
  for (const auto& c : cases) {
    QDir(pdfFolder()).removeRecursively();
    QDir().mkpath(pdfFolder());
    for (const QString& f : c.files) touch(f);
    EXPECT_EQ(NameOf(FindPatientPdf(c.mask, c.id)), c.chosen) << c.files.join(u' ').toStdString();
  }
}

TEST_F(FindPatientPdfTest, searchesNoSubfolderAndTakesNoFolderForAFile) {
  QDir(pdfFolder()).mkpath(u"YZK_sub"_s);
  QFile::copy(FixturePath("druginfo.pdf"), pdfFolder() + u"/YZK_sub/YZK_12345X.pdf"_s);
  QDir(pdfFolder()).mkpath(u"YZK_12345X.pdf"_s);
  EXPECT_EQ(FindPatientPdf(u"YZK*.pdf"_s, u"12345"_s), std::nullopt);
}

TEST_F(FindPatientPdfTest, usesTheProgramFolderWhenSaveTxtIsBlankAndNothingWhenTheFolderIsMissing) {
  touch(u"YZK_7X.pdf"_s);
  writeFile(u"YZK_8X.pdf"_s, "%PDF-1.4\n");  // in the program's folder
  IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, u"   "_s);
  EXPECT_EQ(SavedPdfFolder(), dir_.path());
  EXPECT_EQ(FindPatientPdf(u"YZK*.pdf"_s, u"8"_s), path(u"YZK_8X.pdf"_s));
  EXPECT_EQ(FindPatientPdf(u"YZK*.pdf"_s, u"7"_s), std::nullopt);

  IFWriteIniStr(u"PARAMA"_s, u"SAVETXT"_s, path(u"gone"_s));
  EXPECT_EQ(FindPatientPdf(u"YZK*.pdf"_s, u"8"_s), std::nullopt);
}

TEST_F(FindPatientPdfTest, takesTheFirstFileOfThePlatformListing) {
  // Enough files that the listing's first is rarely the first by name as well.
  for (const char c : QByteArrayView("hgfedcba")) touch(u"YZK_"_s + QChar::fromLatin1(c) + u"_5X.pdf"_s);
  const QString first = platformListing().first();
  EXPECT_EQ(FindPatientPdf(u"YZK*.pdf"_s, u"5"_s), pdfFolder() + u'/' + first);
}

TEST_F(FindPatientPdfTest, runsTheTestOnEachCandidateInTurnUntilOnePasses) {
  for (const QString& f : {u"YZK_1_5X.pdf"_s, u"YZK_2_5X.pdf"_s, u"YZK_3_5X.pdf"_s, u"YZK_6X.pdf"_s})
    touch(f);
  QStringList asked;
  const auto result = FindPatientPdf(u"YZK*.pdf"_s, u"5"_s, [&](const QString& path) {
    asked << QFileInfo(path).fileName();
    return asked.size() == 2;
  });
  QStringList expected = platformListing().filter(u"_5X"_s);
  expected = expected.mid(0, 2);
  EXPECT_EQ(asked, expected);
  EXPECT_EQ(NameOf(result), expected.last());
}

TEST_F(FindPatientPdfTest, thePatientNameTestReadsTheDocument) {
  const QString withName = copyFixture("druginfo.pdf", u"YZK_1X.pdf"_s);
  const QString without = copyFixture("nodate.pdf", u"YZK_2X.pdf"_s);
  const QString encrypted = copyFixture("encrypted.pdf", u"YZK_3X.pdf"_s);
  EXPECT_TRUE(PdfNamesPatient(withName, u"山田　太郎"_s));
  EXPECT_TRUE(PdfNamesPatient(withName, u"太郎"_s));
  EXPECT_FALSE(PdfNamesPatient(withName, u"山田 太郎"_s));  // a half-width blank is another name
  EXPECT_FALSE(PdfNamesPatient(withName, u""_s));
  EXPECT_FALSE(PdfNamesPatient(without, u"山田　太郎"_s));
  EXPECT_FALSE(PdfNamesPatient(encrypted, u"山田　太郎"_s));  // no text at all
}

TEST_F(FindPatientPdfTest, anUnreadableCandidateRaisesItsError) {
  // A ToUnicode CMap with a source code above FFFF ends the extraction with a range error.
  writeFile(u"pdf/YZK_9X.pdf"_s, PdfWithStreams({Zlib(BfCharCMap({"<10000> <0041>"}))}));
  EXPECT_THROW(FindPatientPdf(u"YZK*.pdf"_s, u"9"_s,
                              [](const QString& p) { return PdfNamesPatient(p, u"山田　太郎"_s); }),
               CMapRangeError);
  // Without a test the file is not read.
  EXPECT_EQ(NameOf(FindPatientPdf(u"YZK*.pdf"_s, u"9"_s)), u"YZK_9X.pdf"_s);
}
