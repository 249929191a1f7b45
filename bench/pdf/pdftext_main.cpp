// rinmed-pdftext FILE: prints the text the PDF reader gets out of FILE as UTF-8, for timing the
// whole process against other extractors.
#include <QCoreApplication>
#include <QString>
#include <cstdio>

#include "pdf/pdf_error.h"
#include "pdf/stream_scan.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: rinmed-pdftext FILE\n");
    return 2;
  }
  try {
    const QByteArray text = ExtractTextFromPdf(QString::fromLocal8Bit(argv[1])).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fputc('\n', stdout);
  } catch (const PdfError& error) {
    std::fprintf(stderr, "%s\n", error.message().toLocal8Bit().constData());
    return 1;
  }
  return 0;
}
