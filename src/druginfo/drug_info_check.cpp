// The medication check of the patient shown: run after the opening, shown by its indicator.
#include "core/clock.h"
#include "core/error_message.h"
#include "druginfo/drug_info_logic.h"
#include "medcheck/check_indicator.h"
#include "usecases/check_medication.h"

// Runs last in the patient's job, once its panes are shown, so that whatever replaces or ends the
// patient's job discards the check with it. The opening has read everything it needs; ORCA is
// asked once at most. A check that ends in an error says it could not be done before the error
// is reported, so that the indicator never stays on "running".
Task<void> DrugInfoLogic::checkMedication(MedicationCheckInput input) {
  if (input.patientId.trimmed().isEmpty()) co_return;
  const QString patient = FPatientID + QStringLiteral("　") + FPatientName;
  controls_.LabelMedCheck = RunningIndicator();
  setProgress(&patientProgress_, QString());  // the indicator tells what runs now

  MedicationCheck check;
  std::exception_ptr error;
  try {
    MedicationCheck done = co_await CheckMedication(client_, std::move(input));
    check = std::move(done);
  } catch (const std::exception& e) {
    check.checkedOn = Today();
    check.failure = ErrorMessage(e);
    error = std::current_exception();
  }
  check_ = std::move(check);
  checkedPatient_ = patient;
  controls_.LabelMedCheck = IndicatorOf(*check_);
  if (error) std::rethrow_exception(error);
}

void DrugInfoLogic::clearMedicationCheck() {
  check_.reset();
  checkedPatient_.clear();
  controls_.LabelMedCheck = IdleIndicator();
}

void DrugInfoLogic::LabelMedCheckClick() {
  if (!controls_.LabelMedCheck.opensFindings || !check_) return;
  ui_.ShowFindings(*check_, checkedPatient_);
}
