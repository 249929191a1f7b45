#include "app/rinmed_application.h"

#include <exception>

#include "core/error_message.h"
#include "platform/tls_backend.h"
#include "widgets/error_report.h"

RinmedApplication::RinmedApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName(QStringLiteral("リンメド"));
  UseClientCertificateTlsBackend();
}

bool RinmedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowErrorReport(activeWindow(), ExceptionTypeName(e), ErrorMessage(e));
  } catch (...) {
    ShowErrorReport(activeWindow(), QStringLiteral("unknown"), QStringLiteral("Unknown error"));
  }
  return false;
}
