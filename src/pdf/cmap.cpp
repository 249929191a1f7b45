#include "pdf/cmap.h"

#include <QByteArrayView>
#include <algorithm>
#include <optional>

#include "pdf/find_bytes.h"
#include "pdf/hex.h"
#include "pdf/pdf_error.h"
#include "pdf/text_lines.h"

namespace {

bool Contains(QByteArrayView line, QByteArrayView word) {
  return FindBytes(line, word, 0) >= 0;
}

// The text between the next "<" and the ">" after it, consuming both from rest.
std::optional<QByteArrayView> TakeDelimited(QByteArrayView& rest) {
  const qsizetype open = rest.indexOf('<');
  if (open < 0) return std::nullopt;
  const qsizetype close = rest.indexOf('>', open + 1);
  if (close < 0) return std::nullopt;
  const QByteArrayView inside = rest.sliced(open + 1, close - open - 1);
  rest = rest.sliced(close + 1);
  return inside;
}

quint16 SourceCode(QByteArrayView hex) {
  const quint64 code = ParseHex(hex).value_or(0);
  if (code > 0xFFFF)
    throw CMapRangeError(QStringLiteral("ToUnicode CMap のコード %1 が範囲外です")
                             .arg(QString::fromLatin1(hex.first(std::min<qsizetype>(hex.size(), 32)))));
  return static_cast<quint16>(code);
}

// A destination is read as a 32-bit number; anything that does not fit counts as 0.
quint32 DestinationValue(QByteArrayView hex) {
  const quint64 value = ParseHex(hex).value_or(0);
  return value > 0xFFFFFFFFu ? 0 : static_cast<quint32>(value);
}

// The source hex of a line that starts with "<": at least one character before the first ">".
std::optional<QByteArrayView> LeadingSource(QByteArrayView t, QByteArrayView& rest) {
  if (t.size() <= 4 || t.front() != '<') return std::nullopt;
  const qsizetype close = t.indexOf('>');
  if (close < 2) return std::nullopt;
  rest = t.sliced(close + 1);
  return t.sliced(1, close - 1);
}

void ReadBfCharLine(QByteArrayView t, CodeMap& map) {
  QByteArrayView rest;
  const auto source = LeadingSource(t, rest);
  if (!source) return;
  const auto destination = TakeDelimited(rest);
  if (!destination) return;
  const quint16 code = SourceCode(*source);
  const quint32 value = DestinationValue(*destination);
  // Code 0 is stored only when written as such; an unreadable source also gives 0.
  if (code != 0 || *source == QByteArrayView("0000")) map.insert(code, static_cast<char16_t>(value & 0xFFFF));
}

void ReadBfRangeLine(QByteArrayView t, CodeMap& map) {
  QByteArrayView rest;
  const auto low = LeadingSource(t, rest);
  if (!low) return;
  const quint16 lo = SourceCode(*low);
  const auto high = TakeDelimited(rest);
  if (!high) return;
  const quint16 hi = SourceCode(*high);
  const auto start = TakeDelimited(rest);
  if (!start) return;
  const quint32 dst = DestinationValue(*start);
  for (quint32 c = lo; c <= hi; ++c)
    map.insert(static_cast<quint16>(c), static_cast<char16_t>((dst + (c - lo)) & 0xFFFF));
}

}  // namespace

void ParseToUnicodeCMap(const QByteArray& cmapData, CodeMap& map) {
  enum class Block { None, BfChar, BfRange } block = Block::None;
  TextLines lines(cmapData);
  while (!lines.atEnd()) {
    const QByteArrayView line = lines.next();
    switch (block) {
      case Block::BfChar:
        if (Contains(line, "endbfchar"))
          block = Block::None;  // the closing line is not read for a new block
        else
          ReadBfCharLine(TrimLine(line), map);
        break;
      case Block::BfRange:
        if (Contains(line, "endbfrange"))
          block = Block::None;
        else
          ReadBfRangeLine(TrimLine(line), map);
        break;
      case Block::None:
        if (Contains(line, "beginbfchar"))
          block = Block::BfChar;
        else if (Contains(line, "beginbfrange"))
          block = Block::BfRange;
        break;
    }
  }
}
