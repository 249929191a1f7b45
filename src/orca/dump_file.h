#pragma once

#include <QByteArray>
#include <QString>

// "Res_" + the API path with "/", "?" and "=" turned into "_" + ".txt", in the program's folder.
// Any other character that is not a letter, a digit, "_", "-" or "." also becomes "_", so that no
// answer can be written outside the program's folder.
QString DumpFilePath(const QString& apiPath);

// What an answer's dump file holds: a byte-order mark, then the answer decoded as UTF-8 and
// encoded again (valid UTF-8 stays as it came). Readers of an answer read these bytes.
QByteArray DumpBytes(const QByteArray& content);

// Replaces the file atomically with DumpBytes(content) and gives those bytes. Raises FileWriteError
// when it cannot be written; an earlier file is then untouched. Either way the write-trouble teller
// hears of it (core/write_trouble.h).
QByteArray WriteDumpFile(const QString& path, const QByteArray& content);
