// Feeds arbitrary bytes to the PDF reader. The first byte picks the entry point so that one
// corpus covers the whole-file path and the CMap and text-operator parsers on their own.
#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "pdf/cmap.h"
#include "pdf/code_map.h"
#include "pdf/date_extract.h"
#include "pdf/institution_months.h"
#include "pdf/pdf_error.h"
#include "pdf/stream_scan.h"
#include "pdf/text_operators.h"

namespace {

// Text and date heuristics run on whatever came out, as the program does after extracting.
void ReadText(const QString& text) {
  (void)ExtractDateFromText(text);
  QStringList entries;
  ExtractInstitutionMonthsFromText(text, entries);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
  try {
    switch (data[0] % 3) {
      case 0:
        ReadText(ExtractTextFromPdfData(bytes));
        break;
      case 1: {
        // The same bytes serve as CMap and as content, as a stream does in the text pass.
        CodeMap map;
        ParseToUnicodeCMap(bytes, map);
        ReadText(ExtractTextFromStream(bytes, map));
        break;
      }
      default: {
        CodeMap map;
        for (int code = 0; code < 0x100; ++code)
          map.insert(static_cast<quint16>(code), char16_t(0x3000 + code));
        map.insert(0x4142, u'受');
        ReadText(ExtractTextFromStream(bytes, map));
        break;
      }
    }
  } catch (const PdfError&) {
    // A CMap code above FFFF: reported to the user, not a crash.
  }
  return 0;
}
