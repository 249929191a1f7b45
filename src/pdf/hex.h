#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Hexadecimal text as the reader's CMaps and strings write it: digits in either case, no sign,
// no prefix, no blanks. nullopt when the text is empty or holds any other character.
// Values beyond 64 bits saturate, which is enough to tell "too large" from the rest.
std::optional<quint64> ParseHex(QByteArrayView text);

// The bytes of a hexadecimal string's body: pairs from the start, a pair that is not two
// hexadecimal digits gives 0, an odd last character is dropped.
QByteArray HexStringBytes(QByteArrayView body);

// One byte of a hexadecimal string from the two characters at pair; 0 unless both are digits.
unsigned char HexPairByte(const char* pair);
