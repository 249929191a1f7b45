#pragma once

#include "druginfo/headless_drug_info_ui.h"

// The window's desktop services for a program without windows: a message box becomes a line on
// stderr, and nothing waits for a user.
class CliDrugInfoUi : public HeadlessDrugInfoUi {
 public:
  void MessageBox(MessageKind kind, const QString& text) override;

  int messageCount() const { return messageCount_; }

 private:
  int messageCount_ = 0;
};
