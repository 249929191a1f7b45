#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/error_message.h"
#include "druginfo/drug_info_ui.h"
#include "medcheck/medication_check.h"
#include "qt_printers.h"
#include "windowmodel/headless_desktop.h"

// Records what the logic asks of the desktop.
class RecordingUi : public HeadlessDesktop<DrugInfoUi> {
 public:
  void MessageBox(MessageKind kind, const QString& text) override { messages.emplace_back(kind, text); }
  void SuspendPainting(const QString& control) override { events << QStringLiteral("suspend ") + control; }
  void ResumePainting(const QString& control) override { events << QStringLiteral("resume ") + control; }
  void SetFocus(const QString& control) override { events << QStringLiteral("focus ") + control; }
  void SetClipboardText(const QString& text) override { clipboard = text; }
  std::unique_ptr<PrintJob> BeginPrintJob() override {
    if (onPrint) return onPrint();
    throw std::runtime_error("no printer");
  }
  void OpenSettingsWindow() override {
    events << QStringLiteral("settings window");
    if (onOpenSettings) onOpenSettings();
  }

  void ShowFindings(const MedicationCheck& check, const QString& patientLine) override {
    events << QStringLiteral("findings ") + patientLine;
    findingsShown.push_back(check);
  }
  void OpenWithDefaultProgram(const QUrl& target) override { opened << target.toLocalFile(); }
  void ModelsChanged() override { ++modelsChanged; }
  // An error that ends background work is recorded as the window's error report would show it.
  void ReportError(std::exception_ptr error) override {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      errors << ExceptionTypeName(e) + QStringLiteral(": ") + ErrorMessage(e);
    }
  }

  std::vector<std::pair<MessageKind, QString>> messages;
  QStringList events;
  int modelsChanged = 0;
  QStringList errors;  // "<type>: <what>" of errors that ended background work
  std::function<void()> onOpenSettings;
  QString clipboard;
  QStringList opened;  // files handed to the default viewer, in order
  std::function<std::unique_ptr<PrintJob>()> onPrint;
  std::vector<MedicationCheck> findingsShown;  // the checks handed to the findings window, in order
};
