#include "usecases/list_day.h"

#include "orca/orca_client.h"
#include "orca/response_reader.h"
#include "patients/online_probe.h"
#include "patients/patient_cache.h"

DayList ListedPatientsOf(const QStringList& answerLines, ListMode mode) {
  DayList list;
  PatientCacheSession cache;
  for (const Reception& reception : ReadReceptions(answerLines)) {
    cache.add(reception.patientId, reception.name);
    if (ListedInMode(reception, mode)) list.patients.append({reception.patientId, reception.name, false});
  }
  try {
    cache.save();
  } catch (...) {
    list.cacheError = std::current_exception();
  }
  return list;
}

Task<std::optional<DayList>> ListDay(OrcaClient& client, QDate day, ListMode mode) {
  const OrcaAnswer answer = co_await client.post(kAcceptanceListApiPath, AcceptanceListBody(day));
  if (!answer.ok()) co_return std::nullopt;
  DayList list = ListedPatientsOf(answer.lines(), mode);
  if (list.cacheError) co_return list;

  QStringList numbers;
  for (const ListedPatient& patient : std::as_const(list.patients)) numbers << patient.number;
  const QList<bool> marked = co_await ProbeMarks(client, numbers);
  for (qsizetype i = 0; i < list.patients.size(); ++i) list.patients[i].marked = marked.at(i);
  co_return list;
}

Task<QList<bool>> ProbeMarks(OrcaClient& client, QStringList patientNumbers) {
  QList<bool> marked;
  for (const QString& number : std::as_const(patientNumbers)) {
    const QString patientId = TrimBlanksAndControls(number);
    bool mark = false;
    if (!patientId.isEmpty())
      mark = co_await HasOnlineInformation(client, patientId, client.connection().FSelfInstCd);
    marked << mark;
  }
  co_return marked;
}
