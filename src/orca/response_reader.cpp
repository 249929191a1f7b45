#include "orca/response_reader.h"

#include "orca/answer_layout.h"

QStringList ResponseLines(const QByteArray& answer) {
  QString text = QString::fromUtf8(answer);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  return ElementLines(text);
}

QString OpeningTag(const QString& element) {
  return QLatin1Char('<') + element + QStringLiteral(" type=\"string\">");
}

QString TrimBlanksAndControls(const QString& text) {
  qsizetype begin = 0;
  qsizetype end = text.size();
  while (begin < end && text.at(begin).unicode() <= 0x20) ++begin;
  while (end > begin && text.at(end - 1).unicode() <= 0x20) --end;
  return text.mid(begin, end - begin);
}

bool ElementValue(const QString& line, const QString& element, QString* value) {
  const QString open = OpeningTag(element);
  const qsizetype at = line.indexOf(open);
  if (at < 0) return false;
  QString v = line;
  v.remove(at, open.size());
  const QString close = QStringLiteral("</") + element + QLatin1Char('>');
  const qsizetype closeAt = v.indexOf(close);
  if (closeAt >= 0) v.remove(closeAt, close.size());
  *value = DecodeXmlReferences(TrimBlanksAndControls(v));
  return true;
}

QString DecodeXmlReferences(const QString& text) {
  if (!text.contains(QLatin1Char('&'))) return text;
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    const qsizetype semi = c == u'&' ? text.indexOf(QLatin1Char(';'), i + 1) : -1;
    if (semi < 0 || semi - i > 12) {
      out += c;
      continue;
    }
    const QString name = text.mid(i + 1, semi - i - 1);
    QString replacement;
    if (name == QLatin1String("amp"))
      replacement = QStringLiteral("&");
    else if (name == QLatin1String("lt"))
      replacement = QStringLiteral("<");
    else if (name == QLatin1String("gt"))
      replacement = QStringLiteral(">");
    else if (name == QLatin1String("quot"))
      replacement = QStringLiteral("\"");
    else if (name == QLatin1String("apos"))
      replacement = QStringLiteral("'");
    else if (name.startsWith(QLatin1Char('#'))) {
      bool ok = false;
      const uint code = name.startsWith(QLatin1String("#x"), Qt::CaseInsensitive)
                            ? name.mid(2).toUInt(&ok, 16)
                            : name.mid(1).toUInt(&ok, 10);
      if (ok && code > 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF)) {
        const char32_t cp = code;
        replacement = QString::fromUcs4(&cp, 1);
      }
    }
    if (replacement.isNull()) {
      out += c;
      continue;
    }
    out += replacement;
    i = semi;
  }
  return out;
}

ElementSpan::ElementSpan(const QString& element)
    : start_(QLatin1Char('<') + element + QStringLiteral(" type=")),
      end_(QStringLiteral("</") + element + QLatin1Char('>')) {}

bool ElementSpan::inside(const QString& line) {
  if (line.contains(start_)) {
    if (!line.contains(end_)) ++depth_;  // a value element of that name opens and ends on its line
    return false;
  }
  if (depth_ > 0 && line.contains(end_)) {
    --depth_;
    return false;
  }
  return depth_ > 0;
}
