#include "settings/qt_settings_ui.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

#include "settings/file_filter.h"
#include "widgets/message_box.h"

QtSettingsUi::QtSettingsUi(QWidget* window, std::function<void()> showModels)
    : window_(window), showModels_(std::move(showModels)) {}

void QtSettingsUi::MessageBox(MessageKind kind, const QString& text) {
  showModels_();
  ShowMessageBox(window_, kind, text);
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
