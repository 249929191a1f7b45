// The program's windows, as the launcher opens them.
#include <QApplication>

#include "app/contact_window.h"
#include "app/main_window.h"
#include "druginfo/drug_info_view.h"
#include "settings/setting_view.h"
#include "widgets/error_report.h"
#include "widgets/message_box.h"

LauncherServices LauncherServices::Program() {
  LauncherServices s;
  s.createDrugInfo = [](QWidget* owner) -> std::unique_ptr<QDialog> {
    return std::make_unique<TfrmDrugInfo>(owner, [owner](const QString& typeName, const QString& message) {
      ShowErrorReport(QApplication::activeWindow() ? QApplication::activeWindow() : owner, typeName, message);
    });
  };
  s.openSettings = [](QWidget* owner) {
    ShowSettingsWindow(owner, [owner](const QString& typeName, const QString& message) {
      ShowErrorReport(QApplication::activeWindow() ? QApplication::activeWindow() : owner, typeName, message);
    });
  };
  s.openContact = [](QWidget* owner) {
    TfrmContact window(owner);
    window.exec();
  };
  s.errorBox = [](QWidget* parent, const QString& text) { ShowMessageBox(parent, MessageKind::Error, text); };
  s.errorReport = &ShowErrorReport;
  return s;
}
