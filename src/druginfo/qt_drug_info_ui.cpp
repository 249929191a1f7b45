#include "druginfo/qt_drug_info_ui.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

QtDrugInfoUi::QtDrugInfoUi(QWidget* window, std::function<void()> showModels)
    : window_(window), showModels_(std::move(showModels)) {}

QWidget* QtDrugInfoUi::find(const QString& control) const {
  return window_->findChild<QWidget*>(control);
}

void QtDrugInfoUi::MessageBox(MessageKind kind, const QString& text) {
  showModels_();  // the box appears over what the handler has done so far
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

void QtDrugInfoUi::BeginBusyCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtDrugInfoUi::EndBusyCursor() {
  QApplication::restoreOverrideCursor();
}

void QtDrugInfoUi::SuspendPainting(const QString& control) {
  if (QWidget* widget = find(control)) widget->setUpdatesEnabled(false);
}

void QtDrugInfoUi::ResumePainting(const QString& control) {
  showModels_();
  if (QWidget* widget = find(control)) {
    widget->setUpdatesEnabled(true);
    widget->repaint();
  }
}

void QtDrugInfoUi::SetFocus(const QString& control) {
  if (QWidget* widget = find(control)) widget->setFocus();
}

// The settings window is not part of the program yet; the caller reloads the settings after this
// returns, exactly as it will once the window exists.
void QtDrugInfoUi::OpenSettingsWindow() {}
