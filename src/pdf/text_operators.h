#pragma once

#include <QByteArray>
#include <QString>

#include "pdf/code_map.h"

// The text of the strings shown by Tj and TJ in one inflated content stream, decoded through
// map and concatenated in order; "" when map is empty. Each line is read on its own: the strings
// before its first "Tj" (literal escapes honoured), then those before its first "TJ" when that
// ends the line or is followed by a blank (literals taken raw). Positioning is not rebuilt.
QString ExtractTextFromStream(const QByteArray& streamData, const CodeMap& map);
