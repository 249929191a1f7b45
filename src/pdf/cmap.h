#pragma once

#include <QByteArray>

#include "pdf/code_map.h"

// Adds the bfchar and bfrange mappings of an inflated ToUnicode CMap to map; a later mapping of
// a code replaces an earlier one. Only the first pair of a bfchar line is read, a destination
// keeps its last four hexadecimal digits, and the array form of bfrange is read as a plain
// start value. Raises CMapRangeError when a source code is above FFFF.
void ParseToUnicodeCMap(const QByteArray& cmapData, CodeMap& map);
