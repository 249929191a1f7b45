#define PCRE2_CODE_UNIT_WIDTH 16
#include "pdf/date_extract.h"

#include <pcre2.h>

#include <QList>
#include <memory>

#include "pdf/pdf_error.h"
#include "pdf/stream_scan.h"

namespace {

struct CodeDeleter {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

struct DateMatch {
  qsizetype start;
  QString yearMonth;
};

// All non-overlapping matches, left to right. Text decoded through a CMap may hold lone
// surrogates, so invalid UTF-16 is tolerated rather than failing the whole match.
QList<DateMatch> FindDates(const QString& text) {
  static const char16_t kPattern[] = u"(20\\d{2})[/\\-\\.](\\d{2})[/\\-\\.](\\d{2})";
  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  std::unique_ptr<pcre2_code, CodeDeleter> code(
      pcre2_compile(reinterpret_cast<PCRE2_SPTR>(kPattern), PCRE2_ZERO_TERMINATED,
                    PCRE2_UTF | PCRE2_MATCH_INVALID_UTF, &errorCode, &errorOffset, nullptr));
  if (!code) throw PdfError(QStringLiteral("日付パターンを準備できません (%1)").arg(errorCode));
  std::unique_ptr<pcre2_match_data, MatchDataDeleter> match(
      pcre2_match_data_create_from_pattern(code.get(), nullptr));

  QList<DateMatch> dates;
  const auto* subject = reinterpret_cast<PCRE2_SPTR>(text.utf16());
  const auto length = static_cast<PCRE2_SIZE>(text.size());
  PCRE2_SIZE from = 0;
  while (from < length) {
    const int rc = pcre2_match(code.get(), subject, length, from, 0, match.get(), nullptr);
    if (rc == PCRE2_ERROR_NOMATCH) break;
    if (rc < 0) throw PdfError(QStringLiteral("日付の検索に失敗しました (%1)").arg(rc));
    const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(match.get());
    auto group = [&](int g) { return text.mid(qsizetype(ov[2 * g]), qsizetype(ov[2 * g + 1] - ov[2 * g])); };
    dates.append({qsizetype(ov[0]), group(1) + u'-' + group(2)});
    from = ov[1];  // the pattern never matches empty text, so this always moves on
  }
  return dates;
}

}  // namespace

QString ExtractDateFromText(const QString& text) {
  const QList<DateMatch> dates = FindDates(text);
  const qsizetype keyword = text.indexOf(u"実施");
  if (keyword >= 0) {
    for (const DateMatch& date : dates)
      if (date.start > keyword) return date.yearMonth;
  }
  QString latest;
  for (const DateMatch& date : dates)
    if (date.yearMonth > latest) latest = date.yearMonth;
  return latest;
}

QString ExtractDateFromPdf(const QString& fileName) {
  const QString text = ExtractTextFromPdf(fileName);
  if (text.isEmpty()) return QString();
  return ExtractDateFromText(text);
}
