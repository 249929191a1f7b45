#pragma once

#include <QString>
#include <stdexcept>

// An error that ends the handler in progress and is shown by the program's error report.
// It carries its message as a QString so that Japanese texts reach the user unchanged.
class CoreError : public std::runtime_error {
 public:
  explicit CoreError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};
