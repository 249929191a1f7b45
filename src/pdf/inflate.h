#pragma once

#include <QByteArray>

// A broken or hostile file could otherwise inflate a few kilobytes into gigabytes and take the
// program down; real documents stay far below these.
inline constexpr qsizetype kMaxInflatedStreamBytes = qsizetype(64) * 1024 * 1024;
inline constexpr qsizetype kMaxInflatedFileBytes = qsizetype(256) * 1024 * 1024;

// Inflates the len bytes of data from offset on as one zlib stream (RFC 1950 header required).
// Data cut short yields what inflated so far; bytes after the end of the zlib stream are ignored.
// Raises InflateError when zlib reports an error or the output would pass maxOutput bytes, and
// PdfError when offset/len lie outside data.
QByteArray DecompressStream(const QByteArray& data, qsizetype offset, qsizetype len,
                            qsizetype maxOutput = kMaxInflatedStreamBytes);
