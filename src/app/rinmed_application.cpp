#include "app/rinmed_application.h"

#include <exception>

#include "widgets/error_report.h"
#include "core/core_error.h"
#include "druginfo/handler_runner.h"

RinmedApplication::RinmedApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("リンメド"));
}

bool RinmedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const CoreError& e) {
    ShowErrorReport(activeWindow(), ExceptionTypeName(e), e.message());
  } catch (const std::exception& e) {
    ShowErrorReport(activeWindow(), ExceptionTypeName(e), QString::fromLocal8Bit(e.what()));
  } catch (...) {
    ShowErrorReport(activeWindow(), QStringLiteral("unknown"), QStringLiteral("Unknown error"));
  }
  return false;
}
