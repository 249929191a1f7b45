#pragma once

#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "druginfo/drug_info_ui.h"
#include "qt_printers.h"
#include "uikit/headless_desktop.h"

// Records what the logic asks of the desktop. The busy depth is read by the loopback server's
// thread, which tells whether the hourglass was on while a request was being answered.
class RecordingUi : public HeadlessDesktop<DrugInfoUi> {
 public:
  void MessageBox(MessageKind kind, const QString& text) override { messages.emplace_back(kind, text); }
  void BeginBusyCursor() override { ++busyDepth; }
  void EndBusyCursor() override { --busyDepth; }
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

  void OpenWithDefaultProgram(const QUrl& target) override { opened << target.toLocalFile(); }

  std::vector<std::pair<MessageKind, QString>> messages;
  QStringList events;
  std::atomic<int> busyDepth{0};
  std::function<void()> onOpenSettings;
  QString clipboard;
  QStringList opened;  // files handed to the default viewer, in order
  std::function<std::unique_ptr<PrintJob>()> onPrint;
};
