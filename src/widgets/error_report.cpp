#include "widgets/error_report.h"

#include <QMessageBox>

#include "core/log.h"

void LogErrorReport(const QString& typeName, const QString& message) noexcept {
  try {
    QString line = message;
    line.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    WrtLog(GetLogTxt(), QStringLiteral("Error report: ") + typeName + QStringLiteral(": ") + line);
  } catch (...) {
    // A log that cannot be written must not keep the box from the user.
  }
}

void ShowErrorReport(QWidget* parent, const QString& typeName, const QString& message) {
  LogErrorReport(typeName, message);
  QString text = message;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Critical, QStringLiteral("リンメド"), text, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("ErrorReport"));
  box.exec();
}
