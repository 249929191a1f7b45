#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "medcheck/check_indicator.h"
#include "medcheck/findings_report.h"
#include "medcheck/medication_check.h"
#include "windowmodel/control_models.h"
#include "windowmodel/desktop_services.h"

// What the findings window asks of the desktop: the clipboard and the printer.
class FindingsUi : public DesktopServices {};

// The window's controls as models; each is named as its widget.
struct FindingsControls {
  LabelModel LabelPatient;
  LabelModel LabelStatus;  // the indicator's text and, below it, a failure or ORCA's warning
  CheckTone statusTone = CheckTone::Neutral;
  QList<FindingGroup> TreeFindings;  // grouped by kind
  ButtonModel BtnCopy{QStringLiteral("コピー")};
  ButtonModel BtnPrint{QStringLiteral("印刷")};
  ButtonModel BtnClose{QStringLiteral("閉じる")};
};

// The findings window without its widgets: the check of one patient, listed by kind, with copy and
// print of the whole report like the history text's.
class FindingsLogic {
 public:
  // `patientLine` heads the report ("1002　小松　律子"); empty leaves it out.
  FindingsLogic(FindingsUi& ui, MedicationCheck check, QString patientLine);

  const FindingsControls& controls() const { return controls_; }
  // What copy and print take: the patient line, then the report.
  QStringList reportLines() const;

  void BtnCopyClick();
  void BtnPrintClick();

 private:
  FindingsUi& ui_;
  MedicationCheck check_;
  QString patientLine_;
  FindingsControls controls_;
};
