#include "druginfo/qt_drug_info_ui.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

#include "settings/setting_view.h"
#include "widgets/error_report.h"
#include "widgets/message_box.h"

#include "druginfo/qt_print_job.h"

QtDrugInfoUi::QtDrugInfoUi(QWidget* window, std::function<void()> showModels)
    : window_(window), showModels_(std::move(showModels)) {}

QWidget* QtDrugInfoUi::find(const QString& control) const {
  return window_->findChild<QWidget*>(control);
}

void QtDrugInfoUi::MessageBox(MessageKind kind, const QString& text) {
  showModels_();  // the box appears over what the handler has done so far
  ShowMessageBox(window_, kind, text);
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

void QtDrugInfoUi::SetClipboardText(const QString& text) {
  QApplication::clipboard()->setText(text);
}

std::unique_ptr<PrintJob> QtDrugInfoUi::BeginPrintJob() {
  return BeginDefaultPrinterJob();
}

void QtDrugInfoUi::OpenFileWithDefaultViewer(const QString& path) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void QtDrugInfoUi::SetFocus(const QString& control) {
  if (QWidget* widget = find(control)) widget->setFocus();
}

// The caller reloads the connection fields after this returns. An error of the settings window's
// own handlers is shown there; a refused save on closing ends the caller's handler.
void QtDrugInfoUi::OpenSettingsWindow() {
  ShowSettingsWindow(window_, [this](const QString& typeName, const QString& message) {
    ShowErrorReport(QApplication::activeWindow() ? QApplication::activeWindow() : window_, typeName, message);
  });
}
