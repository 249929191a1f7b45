#include "patients/online_probe.h"

#include "orca/orca_client.h"
#include "patients/online_marks.h"

Task<bool> HasOnlineInformation(OrcaClient& client, QString patientId, QString selfInstCd) {
  auto probe = [&client, &patientId](OnlineProbe kind) {
    return client.post(OnlineProbeApiPath(kind), OnlineProbeBody(kind, patientId));
  };
  const OrcaAnswer drugAnswer = co_await probe(OnlineProbe::DrugInformation);
  if (!drugAnswer.ok()) co_return false;
  if (ProbeAnswerProvesInformation(OnlineProbe::DrugInformation, drugAnswer.lines(), selfInstCd))
    co_return true;

  const OrcaAnswer medicalAnswer = co_await probe(OnlineProbe::MedicalInformation);
  if (medicalAnswer.ok() &&
      ProbeAnswerProvesInformation(OnlineProbe::MedicalInformation, medicalAnswer.lines(), selfInstCd))
    co_return true;

  const OrcaAnswer checkUpAnswer = co_await probe(OnlineProbe::SpecificHealthCheck);
  co_return checkUpAnswer.ok() &&
      ProbeAnswerProvesInformation(OnlineProbe::SpecificHealthCheck, checkUpAnswer.lines(), selfInstCd);
}
