#include "widgets/error_report.h"

#include <QMessageBox>

void ShowErrorReport(QWidget* parent, const QString& /*typeName*/, const QString& message) {
  QString text = message;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Critical, QStringLiteral("リンメド"), text, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("ErrorReport"));
  box.exec();
}
