#pragma once

#include "druginfo/drug_info_ui.h"

// The window's desktop services for a program without windows: a message box becomes a line on
// stderr, and nothing waits for a user.
class CliDrugInfoUi : public DrugInfoUi {
 public:
  void MessageBox(MessageKind kind, const QString& text) override;
  void BeginBusyCursor() override {}
  void EndBusyCursor() override {}
  void SuspendPainting(const QString&) override {}
  void ResumePainting(const QString&) override {}
  void SetFocus(const QString&) override {}
  void OpenSettingsWindow() override {}

  int messageCount() const { return messageCount_; }

 private:
  int messageCount_ = 0;
};
