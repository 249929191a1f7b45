#include "pdf/stream_scan.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "pdf/inflate.h"
#include "pdf/pdf_error.h"
#include "pdf_builder.h"
#include "temp_program_folder.h"

using namespace Qt::StringLiterals;

namespace {

const QByteArray kLetters = BfCharCMap({"<0041> <0041>", "<0042> <0042>", "<0043> <0043>"});

QByteArray Pdf(const QList<QByteArray>& plainStreams) {
  QList<QByteArray> bodies;
  for (const QByteArray& s : plainStreams) bodies.append(Zlib(s, 1));  // level 1: the big ones stay quick
  return PdfWithStreams(bodies);
}

// A stream of exactly size bytes that maps 0041 to A and shows it: the padding is one blank line.
QByteArray PaddedCMapShowingA(qsizetype size) {
  QByteArray s = BfCharCMap({"<0041> <0041>"}) + "<0041>Tj\n";
  return s + QByteArray(size - s.size(), ' ');
}

}  // namespace

TEST(ExtractTextFromPdfData, findsTheDataAfterTheLineBreakThatFollowsStream) {
  const struct {
    QByteArray separator;
    QString expected;
  } cases[] = {
      {"\r\n", u"AB"_s}, {"\n", u"AB"_s}, {"\r", u"AB"_s},
      {"", u"AB"_s},     {" \n", u""_s},  // the blank stays part of the data, which then does not inflate
  };
  for (const auto& c : cases) {
    QByteArray pdf =
        PdfWithStreams({Zlib(kLetters)}, "\n") + PdfWithStreams({Zlib("<00410042>Tj\n")}, c.separator);
    EXPECT_EQ(ExtractTextFromPdfData(pdf), c.expected) << c.separator.toStdString();
  }
}

TEST(ExtractTextFromPdfData, readsAllCMapsBeforeAnyTextAndMergesThemIntoOneMap) {
  // The content comes first; the second CMap's mapping of 0041 wins for every stream of the file.
  const QByteArray pdf = Pdf({"<0041>Tj\n", kLetters, "<00410042>Tj\n", BfCharCMap({"<0041> <005A>"})});
  EXPECT_EQ(ExtractTextFromPdfData(pdf), u"ZZB"_s);
}

TEST(ExtractTextFromPdfData, usesTheInflatedPartOfACutStream) {
  QByteArray content;
  for (int i = 0; i < 3000; ++i) content += "<0041>Tj " + QByteArray::number(i * 7919 % 10007) + "\n";
  QByteArray zipped = Zlib(content);
  zipped.truncate(zipped.size() / 2);
  const QString text = ExtractTextFromPdfData(PdfWithStreams({Zlib(kLetters), zipped}));
  EXPECT_GT(text.size(), 100);
  EXPECT_LT(text.size(), 3000);
  EXPECT_EQ(text, QString(text.size(), u'A'));
}

TEST(ExtractTextFromPdfData, endsABodyAtAnEndstreamInsideTheCompressedData) {
  // Stored (level 0) zlib data carries its text verbatim, "endstream" included. The body is cut
  // there; the scan goes on after it, finds "stream" inside the real "endstream", and the body it
  // takes from there (the next object's header) does not inflate, so the last stream is lost too.
  const QByteArray tricky = Zlib("<0041>Tj\n% endstream\n<0042>Tj\n", 0);
  ASSERT_GE(tricky.indexOf("endstream"), 0);
  const QByteArray pdf = PdfWithStreams({Zlib(kLetters), tricky, Zlib("<0043>Tj\n")});
  EXPECT_EQ(ExtractTextFromPdfData(pdf), u"A"_s);
}

TEST(ExtractTextFromPdfData, keepsTheStreamsBeforeAStreamWithoutEnd) {
  const QByteArray pdf = Pdf({kLetters, "<0041>Tj\n"}) + "9 0 obj\n<< >>\nstream\n" + Zlib("<0042>Tj\n");
  EXPECT_EQ(ExtractTextFromPdfData(pdf), u"A"_s);
}

TEST(ExtractTextFromPdfData, givesNothingWithoutACMap) {
  EXPECT_EQ(ExtractTextFromPdfData(Pdf({"<0041>Tj\n", "1 beginbfchar\nendbfchar\n"})), QString());
  EXPECT_EQ(ExtractTextFromPdfData("GIF89a stream endstream"), QString());
}

TEST(ExtractTextFromPdfData, raisesTheRangeErrorOfACMap) {
  const QByteArray pdf = Pdf({kLetters, "<0041>Tj\n", BfCharCMap({"<12345> <0041>"})});
  EXPECT_THROW(ExtractTextFromPdfData(pdf), CMapRangeError);
  try {
    ExtractTextFromPdfData(pdf);
  } catch (const CoreError& error) {  // what the program's error report catches
    EXPECT_TRUE(error.message().contains(u"12345"_s));
  }
}

TEST(ExtractTextFromPdfData, dropsAStreamThatInflatesBeyond64MiB) {
  const QByteArray atLimit = PaddedCMapShowingA(kMaxInflatedStreamBytes);
  EXPECT_EQ(ExtractTextFromPdfData(Pdf({atLimit})), u"A"_s);
  EXPECT_EQ(ExtractTextFromPdfData(Pdf({atLimit + ' '})), QString());
}

TEST(ExtractTextFromPdfData, dropsStreamsBeyondTheFilesShareOf256MiB) {
  const QByteArray cmap = PaddedCMapShowingA(200);
  const QByteArray padding = Zlib(QByteArray(kMaxInflatedStreamBytes, ' '), 1);
  const QByteArray zippedCMap = Zlib(cmap);
  const QByteArray lastPadding = Zlib(QByteArray(kMaxInflatedStreamBytes - cmap.size(), ' '), 1);
  // Three full streams and one that leaves exactly room for the CMap: it is kept.
  EXPECT_EQ(ExtractTextFromPdfData(PdfWithStreams({padding, padding, padding, lastPadding, zippedCMap})),
            u"A"_s);
  // One byte more before it and the CMap no longer fits.
  const QByteArray fuller = Zlib(QByteArray(kMaxInflatedStreamBytes - cmap.size() + 1, ' '), 1);
  EXPECT_EQ(ExtractTextFromPdfData(PdfWithStreams({padding, padding, padding, fuller, zippedCMap})),
            QString());
}

class ExtractTextFromPdfFile : public TempProgramFolder {};

TEST_F(ExtractTextFromPdfFile, givesNothingForAMissingEmptyOrNonPdfFile) {
  writeFile("empty.pdf", "");
  writeFile("note.pdf", "This is plain text, not a PDF.\n");
  QDir(dir_.path()).mkdir("folder.pdf");
  for (const char* name : {"missing.pdf", "empty.pdf", "note.pdf", "folder.pdf"})
    EXPECT_EQ(ExtractTextFromPdf(path(name)), QString()) << name;
}

TEST_F(ExtractTextFromPdfFile, readsTheFileFromDisk) {
  writeFile("YZK_1X.pdf", Pdf({"<00410042>Tj\n", kLetters}));
  EXPECT_EQ(ExtractTextFromPdf(path("YZK_1X.pdf")), u"AB"_s);
}

TEST(ExtractTextFromPdfUnreadable, raisesAReadErrorForAFileThatCannotBeRead) {
  // A regular file whose read fails even for root.
  const QString unreadable = u"/proc/self/mem"_s;
  if (!QFile::exists(unreadable)) GTEST_SKIP() << "no /proc";
  EXPECT_THROW(ExtractTextFromPdf(unreadable), PdfError);
}
