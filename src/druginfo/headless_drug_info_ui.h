#pragma once

#include "druginfo/drug_info_ui.h"

// The window's services where there is no desktop (rinmed-cli, benchmarks): nothing to paint, no
// cursor, no focus, no settings window. What a message box becomes is the subclass's choice.
class HeadlessDrugInfoUi : public DrugInfoUi {
 public:
  void BeginBusyCursor() override {}
  void EndBusyCursor() override {}
  void SuspendPainting(const QString&) override {}
  void ResumePainting(const QString&) override {}
  void SetFocus(const QString&) override {}
  void OpenSettingsWindow() override {}
};
