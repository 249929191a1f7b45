#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "findings/findings_logic.h"

// The findings window: the check of one patient listed by kind, with 「コピー」 and 「印刷」.
// Each widget's objectName is its control's name in FindingsControls.
class TfrmMedCheck : public QDialog {
  Q_OBJECT
 public:
  // `services` replaces the desktop's own (tests); the window does not take it over.
  TfrmMedCheck(QWidget* owner, MedicationCheck check, QString patientLine, FindingsUi* services = nullptr);
  ~TfrmMedCheck() override;

  FindingsLogic& logic() { return logic_; }

 private:
  void build();
  void forward(const std::function<void()>& handler);

  std::unique_ptr<FindingsUi> ownServices_;
  FindingsLogic logic_;
};

// Opens the findings window over `owner`, modal like the program's other windows, and returns when
// it is closed.
void ShowFindingsWindow(QWidget* owner, const MedicationCheck& check, const QString& patientLine);
