#pragma once

#include <QString>
#include <exception>
#include <functional>

// Receives the type name and the message of an error that ended a handler.
using ErrorReport = std::function<void(const QString& typeName, const QString& message)>;

// Runs the handler; an error that escapes it goes to the report instead of the event loop.
void RunReportingErrors(const std::function<void()>& handler, const ErrorReport& report) noexcept;

// Runs the event handlers of a window. While one runs, the others wait for nothing: user input is
// held back during requests, but a timer tick can still arrive, and such a tick is dropped rather
// than nested. A handler that opens a modal window keeps the ticks out for as long as it is open.
class HandlerRunner {
 public:
  enum class Policy { Always, DropWhenBusy };

  explicit HandlerRunner(ErrorReport report) : report_(std::move(report)) {}

  // False when the handler was dropped.
  bool run(const std::function<void()>& handler, Policy policy = Policy::Always) const noexcept;

 private:
  ErrorReport report_;
};

