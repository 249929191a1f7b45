#include "pdf/institution_months.h"

#include <QFileInfo>

#include "pdf/stream_scan.h"

namespace {

constexpr int kMaxStepsWithoutDate = 50;

bool IsDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

qsizetype DigitRunEnd(const QString& text, qsizetype from) {
  while (from < text.size() && IsDigit(text[from])) ++from;
  return from;
}

bool At(const QString& text, qsizetype p, QStringView word) {
  return QStringView(text).sliced(p).startsWith(word);
}

// "20" + a two-digit year or a four-digit year, "-", the month with at least two digits;
// "" for a year of any other length.
QString YearMonth(QStringView year, int month) {
  QString full;
  if (year.size() == 2)
    full = QStringLiteral("20") + year.toString();
  else if (year.size() == 4)
    full = year.toString();
  else
    return QString();
  return full + u'-' + QString::number(month).rightJustified(2, u'0');
}

// The first digit run after from that is directly followed by "年", or -1.
qsizetype NameEnd(const QString& text, qsizetype from) {
  qsizetype p = from;
  while (p < text.size()) {
    if (!IsDigit(text[p])) {
      ++p;
      continue;
    }
    const qsizetype end = DigitRunEnd(text, p);
    if (end < text.size() && text[end] == u'年') return p;
    p = end;
  }
  return -1;
}

bool StartsName(const QString& text, qsizetype p) {
  const QChar c = text[p];
  return c.unicode() > 0x2000 && c != u'年' && c != u'月' && c != u'、' && p > 0 &&
         (text[p - 1] == u'月' || text[p - 1] == u'歴');
}

void AppendUnlessPresent(QStringList& list, const QString& entry) {
  if (!list.contains(entry, Qt::CaseInsensitive)) list.append(entry);
}

}  // namespace

void ExtractInstitutionMonthsFromText(const QString& text, QStringList& list) {
  const QString keyword = QStringLiteral("受診歴");
  const qsizetype first = text.indexOf(keyword);
  if (first < 0) return;
  const qsizetype second = text.indexOf(keyword, first + 1);
  if (second < 0) return;

  QString institution;
  int steps = 0;
  qsizetype p = second + keyword.size();
  auto countStep = [&] { return ++steps > kMaxStepsWithoutDate && !list.isEmpty(); };
  while (p < text.size()) {
    if (At(text, p, u"診療") || At(text, p, u"年月日") || At(text, p, u"*1")) return;
    if (IsDigit(text[p])) {
      const qsizetype yearEnd = DigitRunEnd(text, p);
      if (yearEnd < text.size() && text[yearEnd] == u'年') {
        const qsizetype monthEnd = DigitRunEnd(text, yearEnd + 1);
        if (monthEnd < text.size() && text[monthEnd] == u'月') {
          bool ok = false;
          int month = QStringView(text).sliced(yearEnd + 1, monthEnd - yearEnd - 1).toInt(&ok);
          if (!ok) month = 0;
          const QString yearMonth = YearMonth(QStringView(text).sliced(p, yearEnd - p), month);
          if (!institution.isEmpty() && !yearMonth.isEmpty() && month > 0)
            AppendUnlessPresent(list, institution + u'=' + yearMonth);
          steps = 0;
          p = monthEnd + 1;
          continue;
        }
        p = monthEnd;  // both runs were read
      } else {
        p = yearEnd;
      }
      if (countStep()) return;
      continue;
    }
    if (text[p] == u'診' && p + 1 < text.size() && text[p + 1] == u' ' && !list.isEmpty()) return;
    if (StartsName(text, p)) {
      const qsizetype end = NameEnd(text, p);
      if (end < 0) return;
      institution = text.mid(p, end - p);
      p = end;
      continue;
    }
    ++p;
    if (countStep()) return;
  }
}

void ExtractInstitutionMonths(const QString& fileName, QStringList& list) {
  if (!QFileInfo(fileName).isFile()) return;
  const QString text = ExtractTextFromPdf(fileName);
  if (text.isEmpty()) return;
  ExtractInstitutionMonthsFromText(text, list);
}
