#include "pdf/inflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include "pdf/pdf_error.h"
#include "pdf_builder.h"

namespace {

// Text that compresses a little but not much, so cuts and pieces fall inside the data.
QByteArray SampleText(int lines) {
  QByteArray text;
  quint32 x = 12345;
  for (int i = 0; i < lines; ++i) {
    x = x * 1103515245u + 12345u;
    text += "<" + QByteArray::number(x, 16) + ">Tj " + QByteArray::number(i) + "\n";
  }
  return text;
}

QByteArray Deflate(QByteArrayView raw, int windowBits) {
  z_stream z{};
  deflateInit2(&z, 6, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY);
  QByteArray out(static_cast<qsizetype>(deflateBound(&z, static_cast<uLong>(raw.size()))), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
  z.avail_in = static_cast<uInt>(raw.size());
  z.next_out = reinterpret_cast<Bytef*>(out.data());
  z.avail_out = static_cast<uInt>(out.size());
  deflate(&z, Z_FINISH);
  out.truncate(static_cast<qsizetype>(z.total_out));
  deflateEnd(&z);
  return out;
}

}  // namespace

TEST(DecompressStream, inflatesTheRangeAndIgnoresBytesAfterTheZlibStream) {
  const QByteArray text = SampleText(2000);  // many 4096-byte pieces
  const QByteArray data = "junk" + Zlib(text) + "\r\nendstream";
  EXPECT_EQ(DecompressStream(data, 4, data.size() - 4), text);
}

TEST(DecompressStream, aCutStreamYieldsWhatInflatedSoFar) {
  const QByteArray text = SampleText(2000);
  const QByteArray zipped = Zlib(text);
  const QByteArray part = DecompressStream(zipped, 0, zipped.size() / 2);
  EXPECT_GT(part.size(), 0);
  EXPECT_LT(part.size(), text.size());
  EXPECT_TRUE(text.startsWith(part));
}

TEST(DecompressStream, nothingToInflateGivesAnEmptyResult) {
  const QByteArray zipped = Zlib("abc");
  EXPECT_EQ(DecompressStream(zipped, 0, 0), QByteArray());
  EXPECT_EQ(DecompressStream(zipped, 0, 2), QByteArray());  // the header alone
}

TEST(DecompressStream, raisesForDataThatIsNotAZlibStream) {
  const QByteArray text = SampleText(50);
  QByteArray corrupt = Zlib(text);
  corrupt[corrupt.size() / 2] = char(corrupt[corrupt.size() / 2] ^ 0x55);
  corrupt[corrupt.size() / 2 + 1] = char(corrupt[corrupt.size() / 2 + 1] ^ 0xAA);

  z_stream z{};
  deflateInit(&z, 6);
  deflateSetDictionary(&z, reinterpret_cast<const Bytef*>("Tj"), 2);
  QByteArray withDictionary(256, '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>("<0041>Tj"));
  z.avail_in = 8;
  z.next_out = reinterpret_cast<Bytef*>(withDictionary.data());
  z.avail_out = 256;
  deflate(&z, Z_FINISH);
  withDictionary.truncate(static_cast<qsizetype>(z.total_out));
  deflateEnd(&z);

  const QByteArray inputs[] = {
      Deflate(text, -15),      // raw deflate
      Deflate(text, 15 + 16),  // gzip
      " \n" + Zlib(text),      // a blank before the header
      withDictionary,          // Z_NEED_DICT
      corrupt,
  };
  for (const QByteArray& input : inputs) EXPECT_THROW(DecompressStream(input, 0, input.size()), InflateError);
}

TEST(DecompressStream, raisesWhenTheOutputWouldPassTheLimit) {
  const QByteArray text = SampleText(500);
  const QByteArray zipped = Zlib(text);
  EXPECT_EQ(DecompressStream(zipped, 0, zipped.size(), text.size()), text);
  EXPECT_THROW(DecompressStream(zipped, 0, zipped.size(), text.size() - 1), InflateError);
}

TEST(DecompressStream, raisesForARangeOutsideTheData) {
  const QByteArray zipped = Zlib("abc");
  EXPECT_THROW(DecompressStream(zipped, zipped.size(), 0), PdfError);
  EXPECT_THROW(DecompressStream(zipped, -1, 1), PdfError);
  EXPECT_THROW(DecompressStream(zipped, 1, zipped.size()), PdfError);
}
