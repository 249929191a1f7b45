#include "druginfo/qt_drug_info_ui.h"

#include <QApplication>
#include <QWidget>

#include "findings/findings_window.h"
#include "settings/setting_view.h"
#include "widgets/error_report.h"

QWidget* QtDrugInfoUi::find(const QString& control) const {
  return window_->findChild<QWidget*>(control);
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

// The caller reloads the connection fields after this returns. An error of the settings window's
// own handlers is shown there; a refused save on closing ends the caller's handler.
void QtDrugInfoUi::OpenSettingsWindow() {
  ShowSettingsWindow(window_, [this](const QString& typeName, const QString& message) {
    ShowErrorReport(QApplication::activeWindow() ? QApplication::activeWindow() : window_, typeName, message);
  });
}

void QtDrugInfoUi::ShowFindings(const MedicationCheck& check, const QString& patientLine) {
  showModels_();
  ShowFindingsWindow(window_, check, patientLine);
}
