#include "pdf/hex.h"

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<quint64> ParseHex(QByteArrayView text) {
  if (text.isEmpty()) return std::nullopt;
  quint64 value = 0;
  constexpr quint64 kSaturated = ~quint64(0);
  for (char c : text) {
    const int d = HexDigit(c);
    if (d < 0) return std::nullopt;
    value = value > (kSaturated >> 4) ? kSaturated : (value << 4) | quint64(d);
  }
  return value;
}

unsigned char HexPairByte(const char* pair) {
  const int hi = HexDigit(pair[0]);
  const int lo = HexDigit(pair[1]);
  return hi < 0 || lo < 0 ? 0 : static_cast<unsigned char>(hi * 16 + lo);
}

QByteArray HexStringBytes(QByteArrayView body) {
  QByteArray bytes;
  bytes.reserve(body.size() / 2);
  for (qsizetype i = 0; i + 1 < body.size(); i += 2) bytes.append(char(HexPairByte(body.data() + i)));
  return bytes;
}
