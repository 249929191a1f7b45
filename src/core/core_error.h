#pragma once

#include <QString>
#include <stdexcept>

// An error that ends the handler in progress and is shown by the program's error report.
// It carries its message as a QString so that Japanese texts reach the user unchanged.
class CoreError : public std::runtime_error {
 public:
  explicit CoreError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};

// A file that could not be written: which, and the system's reason ("No space left on device"). The
// message is "<path>: <reason>" unless the writer words it otherwise.
class FileWriteError : public CoreError {
 public:
  FileWriteError(const QString& path, const QString& reason)
      : FileWriteError(path, reason, path + QStringLiteral(": ") + reason) {}
  FileWriteError(const QString& path, const QString& reason, const QString& message)
      : CoreError(message), path_(path), reason_(reason) {}
  const QString& path() const { return path_; }
  const QString& reason() const { return reason_; }

 private:
  QString path_;
  QString reason_;
};
