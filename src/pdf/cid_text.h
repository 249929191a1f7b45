#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "pdf/code_map.h"

// Decodes len bytes of data from offset on, two bytes per big-endian code: an unmapped code
// gives "?". A lone last byte is looked up as a one-byte code and gives nothing when unmapped.
QString DecodeCIDText(const QByteArray& data, qsizetype offset, qsizetype len, const CodeMap& map);

// The same, appending to text; used by the text operators to avoid a string per shown string.
void AppendCIDText(QByteArrayView bytes, const CodeMap& map, QString& text);

// The same for the body of a hexadecimal string, read pair by pair as HexStringBytes does,
// without building the bytes first: most shown strings of real documents are hexadecimal.
void AppendHexCIDText(QByteArrayView hexBody, const CodeMap& map, QString& text);
