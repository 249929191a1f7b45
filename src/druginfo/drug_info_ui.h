#pragma once

#include <QString>

#include "medcheck/medication_check.h"
#include "windowmodel/desktop_services.h"

// What only a desktop can do for the drug-information window, beyond what every window has.
class DrugInfoUi : public DesktopServices {
 public:
  // The control, named by its reference name ("GridPatient"), stops painting until it is resumed
  // and is then repainted completely.
  virtual void SuspendPainting(const QString& control) = 0;
  virtual void ResumePainting(const QString& control) = 0;

  virtual void SetFocus(const QString& control) = 0;

  // Shows the settings window modally and returns when it has closed.
  virtual void OpenSettingsWindow() = 0;

  // Shows the findings of a medication check modally, under the patient's "number　name", and
  // returns when that window has closed.
  virtual void ShowFindings(const MedicationCheck& check, const QString& patientLine) = 0;
};

// Painting of one control suspended for the life of a scope; it is repainted completely at the
// end, also when an error ends the handler.
class PaintingSuspended {
 public:
  PaintingSuspended(DrugInfoUi& ui, const QString& control) : ui_(ui), control_(control) {
    ui_.SuspendPainting(control_);
  }
  ~PaintingSuspended() { ui_.ResumePainting(control_); }
  PaintingSuspended(const PaintingSuspended&) = delete;
  PaintingSuspended& operator=(const PaintingSuspended&) = delete;

 private:
  DrugInfoUi& ui_;
  QString control_;
};
