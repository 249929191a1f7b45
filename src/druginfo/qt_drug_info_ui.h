#pragma once

#include "druginfo/drug_info_ui.h"
#include "widgets/qt_desktop.h"

// The desktop services of the drug-information window, done with Qt widgets.
class QtDrugInfoUi : public QtDesktop<DrugInfoUi> {
 public:
  // `showModels` brings the widgets up to date with the logic's models.
  using QtDesktop<DrugInfoUi>::QtDesktop;

  void SuspendPainting(const QString& control) override;
  void ResumePainting(const QString& control) override;
  void SetFocus(const QString& control) override;
  void OpenSettingsWindow() override;
  void ShowFindings(const MedicationCheck& check, const QString& patientLine) override;

 private:
  QWidget* find(const QString& control) const;
};
