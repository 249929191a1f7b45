#include "settings/qt_settings_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "settings/file_filter.h"

QtSettingsUi::QtSettingsUi(QWidget* window, std::function<void()> showModels)
    : window_(window), showModels_(std::move(showModels)) {}

void QtSettingsUi::MessageBox(MessageKind kind, const QString& text) {
  showModels_();
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
  QMessageBox box(icon, title, shown, QMessageBox::Ok, window_);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

bool QtSettingsUi::SelectFolder(const QString& title, const QString& startFolder, QString* chosen) {
  showModels_();
  QFileDialog dialog(window_, title, startFolder);
  dialog.setObjectName(QStringLiteral("FolderDialog"));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  *chosen = dialog.selectedFiles().first();
  return true;
}

bool QtSettingsUi::OpenFile(const QString& title, const QString& filter, QString* chosen) {
  showModels_();
  QFileDialog dialog(window_, title);
  dialog.setObjectName(QStringLiteral("OpenDialog"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(QtNameFilters(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  *chosen = dialog.selectedFiles().first();
  return true;
}

// The text is shown as typed, not masked, so that a long certificate password can be checked by eye.
QString QtSettingsUi::InputBox(const QString& title, const QString& prompt, const QString& defaultText) {
  showModels_();
  QInputDialog dialog(window_);
  dialog.setObjectName(QStringLiteral("InputBox"));
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextEchoMode(QLineEdit::Normal);
  dialog.setTextValue(defaultText);
  return dialog.exec() == QDialog::Accepted ? dialog.textValue() : defaultText;
}

void QtSettingsUi::BeginBusyCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtSettingsUi::EndBusyCursor() {
  QApplication::restoreOverrideCursor();
}
