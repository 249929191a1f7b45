#include "usecases/list_day.h"

#include <algorithm>

#include "async/in_order.h"
#include "core/core_error.h"
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
    const bool waits = ListedInMode(reception, ListMode::InProgress);
    const bool known = std::any_of(list.waiting.cbegin(), list.waiting.cend(),
                                   [&](const ListedPatient& p) { return p.number == reception.patientId; });
    if (waits && !known) list.waiting.append({reception.patientId, reception.name, false});
  }
  try {
    cache.save();
  } catch (const FileWriteError&) {
    // Told once by the write-trouble teller; the list is whole without it.
  }
  return list;
}

Task<std::optional<DayList>> FetchDayList(OrcaClient& client, QDate day, ListMode mode) {
  const OrcaAnswer answer = co_await client.post(kAcceptanceListApiPath, AcceptanceListBody(day));
  if (!answer.ok()) co_return std::nullopt;
  co_return ListedPatientsOf(answer.lines(), mode);
}

Task<std::optional<DayList>> ListDay(OrcaClient& client, QDate day, ListMode mode) {
  std::optional<DayList> list = co_await FetchDayList(client, day, mode);
  if (!list) co_return list;
  QStringList numbers;
  for (const ListedPatient& patient : std::as_const(list->patients)) numbers << patient.number;
  const QList<bool> marked = co_await ProbeMarks(client, numbers);
  for (qsizetype i = 0; i < list->patients.size(); ++i) list->patients[i].marked = marked.at(i);
  co_return list;
}

bool NeedsProbe(const QString& patientNumber, const QSet<QString>& knownMarked) {
  const QString patientId = TrimBlanksAndControls(patientNumber);
  return !patientId.isEmpty() && !knownMarked.contains(patientId);
}

Task<bool> ProbeMark(OrcaClient& client, QString patientNumber, QSet<QString> knownMarked) {
  if (!NeedsProbe(patientNumber, knownMarked)) co_return !TrimBlanksAndControls(patientNumber).isEmpty();
  co_return co_await HasOnlineInformation(client, TrimBlanksAndControls(patientNumber),
                                          client.connection().ownInstitutionCode);
}

Task<QList<bool>> ProbeMarks(OrcaClient& client, QStringList patientNumbers, QSet<QString> knownMarked) {
  QList<bool> marked(patientNumbers.size(), false);
  co_await FetchInOrder<bool>(
      static_cast<std::size_t>(patientNumbers.size()), client.sideBySide(),
      [&](std::size_t i) {
        return ProbeMark(client, patientNumbers.at(static_cast<qsizetype>(i)), knownMarked);
      },
      [&](std::size_t i, bool mark) { marked[static_cast<qsizetype>(i)] = mark; });
  co_return marked;
}
