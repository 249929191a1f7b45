#include "widgets/message_box.h"

#include <QMessageBox>

void ShowMessageBox(QWidget* parent, MessageKind kind, const QString& text) {
  QMessageBox::Icon icon = QMessageBox::Warning;
  QString title = QStringLiteral("警告");
  if (kind == MessageKind::Information) {
    icon = QMessageBox::Information;
    title = QStringLiteral("情報");
  } else if (kind == MessageKind::Error) {
    icon = QMessageBox::Critical;
    title = QStringLiteral("エラー");
  }
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(icon, title, shown, QMessageBox::Ok, parent);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}
