#include "pdf/text_operators.h"

#include <QByteArrayView>
#include <cstring>
#include <vector>

#include "pdf/cid_text.h"
#include "pdf/text_lines.h"

namespace {

bool IsOctal(char c) {
  return c >= '0' && c <= '7';
}

// The ")" that closes a literal opened at any "(" of a line: the first later position where the
// nesting depth falls below the depth at the "(", escapes skipping the character after a
// backslash. An opening "(" is never an escaped character's predecessor, so the escapes read
// from any "(" agree with those read from the start of the line, and one pass over the line
// answers every "(": a line of thousands of unclosed "(" costs no more than one of them.
class LiteralEnds {
 public:
  explicit LiteralEnds(QByteArrayView line) : line_(line) {}

  // The index of the closing ")" for the "(" at open, or -1 when the line ends first.
  qsizetype closing(qsizetype open) {
    if (next_.empty()) build();
    return next_[static_cast<size_t>(open)];
  }

 private:
  void build() {
    const qsizetype n = line_.size();
    std::vector<int> depth(static_cast<size_t>(n));
    int d = 0;
    for (qsizetype i = 0; i < n; ++i) {
      const char c = line_[i];
      if (c == '\\') {
        depth[static_cast<size_t>(i)] = d;
        if (i + 1 < n) depth[static_cast<size_t>(++i)] = d;
        continue;
      }
      if (c == '(') ++d;
      if (c == ')') --d;
      depth[static_cast<size_t>(i)] = d;
    }
    // Next smaller depth, right to left; depth moves in steps of one, so that is depth - 1.
    next_.assign(static_cast<size_t>(n), -1);
    std::vector<qsizetype> stack;
    for (qsizetype i = n - 1; i >= 0; --i) {
      while (!stack.empty() && depth[static_cast<size_t>(stack.back())] >= depth[static_cast<size_t>(i)])
        stack.pop_back();
      next_[static_cast<size_t>(i)] = stack.empty() ? -1 : stack.back();
      stack.push_back(i);
    }
  }

  QByteArrayView line_;
  std::vector<qsizetype> next_;
};

// The next position of c at or after from, remembered between calls so that a run of
// unterminated strings is searched once.
class NextOf {
 public:
  NextOf(QByteArrayView text, char c) : text_(text), c_(c) {}
  qsizetype from(qsizetype pos) {
    if (cached_ != kNone && cached_ < pos) {
      const qsizetype hit = pos < text_.size() ? text_.indexOf(c_, pos) : -1;
      cached_ = hit < 0 ? kNone : hit;
    }
    return cached_ == kNone ? -1 : cached_;
  }

 private:
  static constexpr qsizetype kNone = -2;
  QByteArrayView text_;
  char c_;
  qsizetype cached_ = -1;  // below any position: the first call searches
};

QByteArray UnescapeLiteral(QByteArrayView s) {
  QByteArray out;
  out.reserve(s.size());
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c != '\\') {
      out.append(c);
      continue;
    }
    if (i + 1 == s.size()) {
      out.append('\\');
      break;
    }
    const char e = s[++i];
    switch (e) {
      case 'n':
        out.append('\n');
        break;
      case 'r':
        out.append('\r');
        break;
      case 't':
        out.append('\t');
        break;
      case 'b':
        out.append('\b');
        break;
      case 'f':
        out.append('\f');
        break;
      default:
        if (IsOctal(e)) {
          int value = e - '0';
          for (int k = 1; k < 3 && i + 1 < s.size() && IsOctal(s[i + 1]); ++k)
            value = value * 8 + (s[++i] - '0');
          out.append(char(value & 0xFF));
        } else {
          out.append(e);  // covers \( \) \\ and any other character
        }
    }
  }
  return out;
}

struct Operators {
  qsizetype tj = -1;  // first "Tj"
  qsizetype TJ = -1;  // first "TJ"
};

// Both operators in one pass over the line: every line of every stream, font programs
// included, goes through here.
Operators FindOperators(QByteArrayView line) {
  Operators ops;
  const char* base = line.data();
  const char* end = base + line.size();
  const char* p = base;
  while (p + 1 < end && (ops.tj < 0 || ops.TJ < 0)) {
    p = static_cast<const char*>(std::memchr(p, 'T', static_cast<size_t>(end - 1 - p)));
    if (!p) break;
    if (p[1] == 'j' && ops.tj < 0) ops.tj = p - base;
    if (p[1] == 'J' && ops.TJ < 0) ops.TJ = p - base;
    ++p;
  }
  return ops;
}

void ApplyTjRule(QByteArrayView line, qsizetype t, const CodeMap& map, QString& text) {
  if (t < 2) return;
  LiteralEnds literalEnds(line);
  NextOf nextGt(line, '>');
  qsizetype p = 0;
  while (p < t) {
    const char c = line[p];
    if (c == '<') {
      const qsizetype close = nextGt.from(p + 1);
      if (close < 0) {
        ++p;
        continue;
      }
      AppendHexCIDText(line.sliced(p + 1, close - p - 1), map, text);
      p = close + 1;
    } else if (c == '(') {
      const qsizetype close = literalEnds.closing(p);
      if (close < 0) {
        ++p;
        continue;
      }
      AppendCIDText(UnescapeLiteral(line.sliced(p + 1, close - p - 1)), map, text);
      p = close + 1;
    } else {
      ++p;
    }
  }
}

void ApplyTJRule(QByteArrayView line, qsizetype t, const CodeMap& map, QString& text) {
  if (t < 2) return;
  if (t + 2 != line.size() && line[t + 2] != ' ') return;
  const QByteArrayView head = line.first(t);  // strings must close before the operator
  NextOf nextGt(head, '>');
  NextOf nextParen(head, ')');
  qsizetype p = 0;
  while (p < t) {
    const char c = head[p];
    const char closer = c == '<' ? '>' : c == '(' ? ')' : 0;
    if (!closer) {
      ++p;
      continue;
    }
    const qsizetype close = (closer == '>' ? nextGt : nextParen).from(p + 1);
    if (close < 0) {
      ++p;
      continue;
    }
    const QByteArrayView body = head.sliced(p + 1, close - p - 1);
    if (c == '<')
      AppendHexCIDText(body, map, text);
    else
      AppendCIDText(body, map, text);
    p = close + 1;
  }
}

}  // namespace

QString ExtractTextFromStream(const QByteArray& streamData, const CodeMap& map) {
  QString text;
  if (map.isEmpty()) return text;
  TextLines lines(streamData);
  while (!lines.atEnd()) {
    const QByteArrayView line = lines.next();
    const Operators ops = FindOperators(line);
    ApplyTjRule(line, ops.tj, map, text);
    ApplyTJRule(line, ops.TJ, map, text);
  }
  return text;
}
