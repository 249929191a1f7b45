#include "pdf/cid_text.h"

#include "pdf/hex.h"
#include "pdf/pdf_error.h"

void AppendCIDText(QByteArrayView bytes, const CodeMap& map, QString& text) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const qsizetype len = bytes.size();
  qsizetype i = 0;
  for (; i + 1 < len; i += 2) {
    const quint16 code = static_cast<quint16>(b[i] << 8 | b[i + 1]);
    text.append(map.contains(code) ? QChar(map.value(code)) : QChar(u'?'));
  }
  if (i < len && map.contains(b[i])) text.append(QChar(map.value(b[i])));
}

void AppendHexCIDText(QByteArrayView hexBody, const CodeMap& map, QString& text) {
  const qsizetype len = hexBody.size() / 2;  // an odd last digit is dropped
  const char* h = hexBody.data();
  qsizetype i = 0;
  for (; i + 1 < len; i += 2) {
    const quint16 code = static_cast<quint16>(HexPairByte(h + 2 * i) << 8 | HexPairByte(h + 2 * i + 2));
    text.append(map.contains(code) ? QChar(map.value(code)) : QChar(u'?'));
  }
  if (i < len) {
    const quint16 code = HexPairByte(h + 2 * i);
    if (map.contains(code)) text.append(QChar(map.value(code)));
  }
}

QString DecodeCIDText(const QByteArray& data, qsizetype offset, qsizetype len, const CodeMap& map) {
  if (offset < 0 || len < 0 || offset > data.size() || len > data.size() - offset)
    throw PdfError(QStringLiteral("文字列の範囲がデータの外にあります"));
  QString text;
  AppendCIDText(QByteArrayView(data).sliced(offset, len), map, text);
  return text;
}
