#pragma once

#include <QByteArray>
#include <QString>

// "Res_" + the API path with "/", "?" and "=" turned into "_" + ".txt", in the program's folder.
// Any other character that is not a letter, a digit, "_", "-" or "." also becomes "_", so that no
// answer can be written outside the program's folder.
QString DumpFilePath(const QString& apiPath);

// Replaces the file atomically with the content decoded as UTF-8 and stored as UTF-8 with a
// byte-order mark. Raises CoreError when it cannot be written; an earlier file is then untouched.
void WriteDumpFile(const QString& path, const QByteArray& content);
