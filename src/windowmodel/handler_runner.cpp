#include "windowmodel/handler_runner.h"

#include "core/error_message.h"
#include "windowmodel/handler_guard.h"

void RunReportingErrors(const std::function<void()>& handler, const ErrorReport& report) noexcept {
  try {
    try {
      handler();
    } catch (const std::exception& e) {
      report(ExceptionTypeName(e), ErrorMessage(e));
    } catch (...) {
      report(QStringLiteral("unknown"), QStringLiteral("Unknown error"));
    }
  } catch (...) {
    // The report itself failed; the event loop must still never see an error.
  }
}

bool HandlerRunner::run(const std::function<void()>& handler, Policy policy) const noexcept {
  HandlerGuard guard;
  if (!guard.entered() && policy == Policy::DropWhenBusy) return false;
  RunReportingErrors(handler, report_);
  return true;
}
