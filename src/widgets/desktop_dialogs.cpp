#include "widgets/desktop_dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

#include "platform/shell_open.h"
#include "widgets/file_filter.h"

bool SelectFolderDialog(QWidget* parent, const QString& title, const QString& startFolder, QString* chosen) {
  QFileDialog dialog(parent, title, startFolder);
  dialog.setObjectName(QStringLiteral("FolderDialog"));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  *chosen = dialog.selectedFiles().first();
  return true;
}

bool SelectFileDialog(QWidget* parent, const QString& title, const QString& filter, QString* chosen) {
  QFileDialog dialog(parent, title);
  dialog.setObjectName(QStringLiteral("OpenDialog"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(QtNameFilters(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  *chosen = dialog.selectedFiles().first();
  return true;
}

QString InputBoxDialog(QWidget* parent, const QString& title, const QString& prompt,
                       const QString& defaultText) {
  QInputDialog dialog(parent);
  dialog.setObjectName(QStringLiteral("InputBox"));
  dialog.setWindowTitle(title);
  dialog.setLabelText(prompt);
  dialog.setTextEchoMode(QLineEdit::Normal);
  dialog.setTextValue(defaultText);
  return dialog.exec() == QDialog::Accepted ? dialog.textValue() : defaultText;
}

void ShowWorkingCursor(QWidget* window, bool working) {
  if (working == (window->cursor().shape() == Qt::BusyCursor)) return;
  if (working)
    window->setCursor(Qt::BusyCursor);
  else
    window->unsetCursor();
}

void SetClipboardPlainText(const QString& text) {
  QApplication::clipboard()->setText(text);
}

void OpenWithDesktop(const QUrl& target) {
  OpenWithShell(target);
}
