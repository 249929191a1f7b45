#include "orca/answer_layout.h"

#include <optional>

namespace {

bool IsBlank(QChar c) {
  return c.unicode() <= 0x20;
}

bool BlankOnly(QStringView text) {
  for (const QChar c : text) {
    if (!IsBlank(c)) return false;
  }
  return true;
}

// Where the markup that opens at `open` ends: the first ">" outside quotes; -1 when none does.
qsizetype MarkupEnd(const QString& text, qsizetype open) {
  QChar quote;
  for (qsizetype i = open + 1; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (!quote.isNull()) {
      if (c == quote) quote = QChar();
    } else if (c == u'"' || c == u'\'') {
      quote = c;
    } else if (c == u'>') {
      return i;
    }
  }
  return -1;
}

QString EscapeText(QString text) {
  text.replace(QLatin1Char('&'), QLatin1String("&amp;"));
  text.replace(QLatin1Char('<'), QLatin1String("&lt;"));
  text.replace(QLatin1Char('>'), QLatin1String("&gt;"));
  return text;
}

struct Tag {
  QString name;
  QString canonical;   // `<name a="v" …>`, attributes in their order, double-quoted
  bool empty = false;  // `<name …/>`
};

// A start tag's inside (without "<" and ">"): its name and attributes, blanks and quotes as the
// readers expect them. Nothing for a tag that does not parse.
std::optional<Tag> ReadStartTag(QStringView inside) {
  Tag tag;
  if (inside.endsWith(u'/')) {
    tag.empty = true;
    inside.chop(1);
  }
  qsizetype i = 0;
  while (i < inside.size() && !IsBlank(inside.at(i))) ++i;
  tag.name = inside.left(i).toString();
  if (tag.name.isEmpty()) return std::nullopt;
  tag.canonical = QLatin1Char('<') + tag.name;
  for (;;) {
    while (i < inside.size() && IsBlank(inside.at(i))) ++i;
    if (i >= inside.size()) break;
    const qsizetype nameStart = i;
    while (i < inside.size() && !IsBlank(inside.at(i)) && inside.at(i) != u'=') ++i;
    const QStringView attribute = inside.mid(nameStart, i - nameStart);
    while (i < inside.size() && IsBlank(inside.at(i))) ++i;
    if (attribute.isEmpty() || i >= inside.size() || inside.at(i) != u'=') return std::nullopt;
    ++i;
    while (i < inside.size() && IsBlank(inside.at(i))) ++i;
    if (i >= inside.size() || (inside.at(i) != u'"' && inside.at(i) != u'\'')) return std::nullopt;
    const QChar quote = inside.at(i++);
    const qsizetype valueStart = i;
    while (i < inside.size() && inside.at(i) != quote) ++i;
    if (i >= inside.size()) return std::nullopt;
    QString value = inside.mid(valueStart, i - valueStart).toString();
    value.replace(QLatin1Char('"'), QLatin1String("&quot;"));
    ++i;
    tag.canonical +=
        QLatin1Char(' ') + attribute.toString() + QStringLiteral("=\"") + value + QLatin1Char('"');
  }
  tag.canonical += QLatin1Char('>');
  return tag;
}

// Collects the lines: a value element on one line, every other tag on a line of its own.
class LineWriter {
 public:
  void startTag(const Tag& tag) {
    flush();
    if (tag.empty) {
      lines_ << tag.canonical + QStringLiteral("</") + tag.name + QLatin1Char('>');
      return;
    }
    line_ = tag.canonical;
    leaf_ = tag.name;
  }
  void endTag(const QString& name) {
    if (!leaf_.isNull() && leaf_ == name) {
      line_ += QStringLiteral("</") + name + QLatin1Char('>');
      flush();
      return;
    }
    flush();
    lines_ << QStringLiteral("</") + name + QLatin1Char('>');
  }
  void text(const QString& text) {
    if (leaf_.isNull()) flush();
    line_ += text;
  }
  void own(const QString& markup) {
    flush();
    lines_ << markup;
  }
  QStringList finish() {
    flush();
    // A value holding a line break runs on over lines, as it does in ORCA's own layout.
    QStringList split;
    for (const QString& line : std::as_const(lines_)) {
      for (QString part : line.split(QLatin1Char('\n'))) {
        if (part.endsWith(QLatin1Char('\r'))) part.chop(1);
        split << part;
      }
    }
    return split;
  }

 private:
  void flush() {
    if (!line_.isEmpty()) lines_ << line_;
    line_.clear();
    leaf_ = QString();
  }

  QStringList lines_;
  QString line_;
  QString leaf_;  // the element whose start tag the line holds, until its end tag or another tag
};

}  // namespace

QStringList ElementLines(const QString& document) {
  LineWriter out;
  qsizetype at = 0;
  while (at < document.size()) {
    const qsizetype open = document.indexOf(QLatin1Char('<'), at);
    const qsizetype textEnd = open < 0 ? document.size() : open;
    const QStringView between = QStringView(document).mid(at, textEnd - at);
    if (!BlankOnly(between)) out.text(between.toString());
    if (open < 0) break;

    if (document.mid(open, 4) == QLatin1String("<!--")) {
      const qsizetype close = document.indexOf(QLatin1String("-->"), open + 4);
      at = close < 0 ? document.size() : close + 3;
      continue;
    }
    if (document.mid(open, 9) == QLatin1String("<![CDATA[")) {
      const qsizetype close = document.indexOf(QLatin1String("]]>"), open + 9);
      const qsizetype end = close < 0 ? document.size() : close;
      out.text(EscapeText(document.mid(open + 9, end - open - 9)));
      at = close < 0 ? document.size() : close + 3;
      continue;
    }
    const qsizetype close = MarkupEnd(document, open);
    if (close < 0) {  // a "<" that opens nothing is text
      out.text(document.mid(open));
      break;
    }
    const QStringView inside = QStringView(document).mid(open + 1, close - open - 1);
    at = close + 1;
    if (inside.startsWith(u'?')) {
      out.own(document.mid(open, close - open + 1));
    } else if (inside.startsWith(u'!')) {
      // A document type declaration says nothing the readers use.
    } else if (inside.startsWith(u'/')) {
      out.endTag(inside.mid(1).trimmed().toString());
    } else if (const std::optional<Tag> tag = ReadStartTag(inside.trimmed())) {
      out.startTag(*tag);
    } else {
      out.text(document.mid(open, close - open + 1));
    }
  }
  return out.finish();
}
