#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file whole so that a crash mid-write never leaves a half file under its name: the
// bytes go to a temporary file in the same folder, which is then renamed over the old one.
// `durable` also flushes the data to the disk before the rename — for files that hold the user's
// own data (settings, patient cache); answers that the next request fetches again skip that wait.
// Raises FileWriteError with the file's path and the reason when it cannot be written; the old
// file then stays as it was.
void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool durable);
