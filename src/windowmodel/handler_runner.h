#pragma once

#include <QString>
#include <exception>
#include <functional>

// Receives the type name and the message of an error that ended a handler.
using ErrorReport = std::function<void(const QString& typeName, const QString& message)>;

// Runs the handler; an error that escapes it goes to the report instead of the event loop.
void RunReportingErrors(const std::function<void()>& handler, const ErrorReport& report) noexcept;

// Runs the event handlers of a window, and the ends of its background work, reporting their
// errors. A handler that opens a modal window keeps the timer's ticks out for as long as it is
// open: a tick that arrives meanwhile is dropped rather than nested.
class HandlerRunner {
 public:
  enum class Policy { Always, DropWhenBusy };

  explicit HandlerRunner(ErrorReport report) : report_(std::move(report)) {}

  // False when the handler was dropped.
  bool run(const std::function<void()>& handler, Policy policy = Policy::Always) const noexcept;

 private:
  ErrorReport report_;
};
