#include "druginfo/handler_runner.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "core/core_error.h"
#include "core/handler_guard.h"

QString ExceptionTypeName(const std::exception& error) {
  const char* mangled = typeid(error).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  return QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
}

void RunReportingErrors(const std::function<void()>& handler, const ErrorReport& report) noexcept {
  try {
    try {
      handler();
    } catch (const CoreError& e) {
      report(ExceptionTypeName(e), e.message());
    } catch (const std::exception& e) {
      report(ExceptionTypeName(e), QString::fromLocal8Bit(e.what()));
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
