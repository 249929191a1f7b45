#pragma once

#include <QByteArray>
#include <QString>

// The log file's path, resolved anew for every line: the LOG key of section FIRST when its folder
// exists on a present volume, otherwise Log.txt in the program's folder.
QString GetLogTxt();

// At program start: a log larger than `limit` (32 MiB) is renamed to "Log.1.txt" beside it, replacing an
// older one, and the lines that follow begin a new log. False when it was left as it was for a failure
// (`error` says why); the program then goes on writing to the old one.
inline constexpr qint64 kLogRenameBytes = qint64(32) * 1024 * 1024;
bool StartNewLogIfLarge(qint64 limit = kLogRenameBytes, QString* error = nullptr);

// Appends "<timestamp> <text>" and CR LF to the file, creating it when needed. The text is written
// in the system code page. Raises FileWriteError when the file can be neither opened nor created, or
// the line cannot be written (the file then ends as it did before); every outcome is reported to the
// write-trouble teller (core/write_trouble.h).
void WrtLog(const QString& fileName, const QString& text);

// The lines of one piece of work, written to the log together, so that work running side by side
// never splits another's lines. Each line keeps the time it was made.
class LogBatch {
 public:
  // Raises FileWriteError, as WrtLog does, when the file cannot be opened for appending: a log that
  // cannot be written stops the work before it starts.
  explicit LogBatch(const QString& fileName);
  void add(const QString& text);
  // Appends the lines in one write, all of them or none, and starts an empty batch. Raises
  // FileWriteError and keeps the lines when they cannot be written.
  void write();

 private:
  QString path_;
  QByteArray lines_;
};
