#include "usecases/prepare_patient.h"

#include "core/clock.h"
#include "core/error_message.h"
#include "orca/orca_client.h"
#include "usecases/check_medication.h"

Task<PreparedPatient> PreparePatient(OrcaClient& client, QString patientId, QString patientName) {
  const int failedBefore = client.failedRequests();
  PreparedPatient prepared;
  prepared.patientId = patientId;
  prepared.patientName = patientName;
  // Named, not a temporary inside the co_await: GCC 12 mishandles those.
  Task<OpenedPatient> opening = LoadPatient(client, patientId, patientName, QString(), TainLists());
  prepared.opened = co_await opening;
  MedicationCheckInput input = CheckInputOf(patientId, prepared.opened);
  if (!input.patientId.trimmed().isEmpty()) {
    try {
      MedicationCheck done = co_await CheckMedication(client, std::move(input));
      prepared.check = std::move(done);
    } catch (const std::exception& e) {
      prepared.check.checkedOn = Today();
      prepared.check.failure = ErrorMessage(e);
      prepared.checkError = std::current_exception();
    }
  }
  prepared.preparedAt = Now();
  prepared.whole = !prepared.checkError && client.failedRequests() == failedBefore;
  co_return prepared;
}
