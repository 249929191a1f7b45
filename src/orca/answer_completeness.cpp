#include "orca/answer_completeness.h"

#include <QNetworkReply>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

qsizetype SkipBlanks(const QByteArray& text, qsizetype at) {
  while (at < text.size() && IsBlank(text.at(at))) ++at;
  return at;
}

// Past the prolog's declarations, comments and document type; -1 when one of them never ends.
qsizetype SkipProlog(const QByteArray& text, qsizetype at) {
  for (;;) {
    at = SkipBlanks(text, at);
    qsizetype end = -1;
    if (text.mid(at, 2) == "<?") {
      end = text.indexOf("?>", at + 2);
      if (end >= 0) end += 2;
    } else if (text.mid(at, 4) == "<!--") {
      end = text.indexOf("-->", at + 4);
      if (end >= 0) end += 3;
    } else if (text.mid(at, 2) == "<!") {
      const qsizetype subset = text.indexOf('[', at);
      const qsizetype close = text.indexOf('>', at);
      const qsizetype from = subset >= 0 && subset < close ? text.indexOf(']', subset) : at;
      end = from < 0 ? -1 : text.indexOf('>', from);
      if (end >= 0) end += 1;
    } else {
      return at;
    }
    if (end < 0) return -1;
    at = end;
  }
}

// The end of the text without trailing blanks and comments.
qsizetype ContentEnd(const QByteArray& text) {
  qsizetype end = text.size();
  for (;;) {
    while (end > 0 && IsBlank(text.at(end - 1))) --end;
    if (end < 3 || text.mid(end - 3, 3) != "-->") return end;
    const qsizetype open = text.lastIndexOf("<!--", end - 3);
    if (open < 0) return end;
    end = open;
  }
}

}  // namespace

bool MarkupLeftOpen(const QByteArray& text) {
  qsizetype at = text.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  at = SkipProlog(text, at);
  if (at < 0) return true;
  if (at >= text.size() || text.at(at) != '<') return false;
  qsizetype nameEnd = at + 1;
  while (nameEnd < text.size() && !IsBlank(text.at(nameEnd)) && text.at(nameEnd) != '>' &&
         text.at(nameEnd) != '/')
    ++nameEnd;
  const QByteArray name = text.mid(at + 1, nameEnd - at - 1);
  if (name.isEmpty()) return true;
  // The start tag ends at the first ">" outside quoted attribute values.
  char quote = 0;
  qsizetype tagEnd = nameEnd;
  for (; tagEnd < text.size(); ++tagEnd) {
    const char c = text.at(tagEnd);
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      break;
    }
  }
  if (tagEnd >= text.size()) return true;
  if (text.at(tagEnd - 1) == '/') return false;  // <root/>: the whole document
  const qsizetype end = ContentEnd(text);
  if (end <= tagEnd || text.at(end - 1) != '>') return true;
  const qsizetype close = text.lastIndexOf("</", end - 1);
  if (close <= tagEnd) return true;
  return text.mid(close + 2, end - 1 - close - 2).trimmed() != name;
}

bool AnswerCutShort(const QNetworkReply& reply, const QByteArray& content) {
  // A length is the length on the wire; the layer may have unpacked a compressed answer since.
  const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
  if (length.isValid() && reply.rawHeader("Content-Encoding").isEmpty() &&
      length.toLongLong() != content.size())
    return true;
  if (reply.rawHeader("Transfer-Encoding").toLower().contains("chunked")) return MarkupLeftOpen(content);
  return false;
}
