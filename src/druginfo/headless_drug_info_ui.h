#pragma once

#include "druginfo/drug_info_ui.h"
#include "windowmodel/headless_desktop.h"

// The drug-information window's services where there is no desktop: nothing to paint, no focus,
// no settings window, no findings window. What a message box becomes is the subclass's choice.
class HeadlessDrugInfoUi : public HeadlessDesktop<DrugInfoUi> {
 public:
  void SuspendPainting(const QString&) override {}
  void ResumePainting(const QString&) override {}
  void SetFocus(const QString&) override {}
  void OpenSettingsWindow() override {}
  void ShowFindings(const MedicationCheck&, const QString&) override {}
};
