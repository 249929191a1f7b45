#pragma once

#include <QDate>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>

#include "async/task.h"
#include "patients/acceptance_list.h"
#include "usecases/patient_grid.h"

class OrcaClient;

// The patients received on a day, as the list shows them.
struct DayList {
  QList<ListedPatient> patients;  // in the answer's order, as the list mode filters them
  // Every patient with a reception still in progress (whatever the mode shows), each once, in the
  // answer's order: the order in which they were received.
  QList<ListedPatient> waiting;
};

// The patients of a reception-list answer as the mode lists them, every received patient (also
// those the mode hides) fed to the patient cache; none marked yet. A cache that cannot be written
// is told by the write-trouble teller, and the list goes on without it.
DayList ListedPatientsOf(const QStringList& answerLines, ListMode mode);

// Asks ORCA for the day's receptions and feeds every received patient to the patient cache (also
// those the mode hides); none marked yet. Nothing when ORCA gave no answer: the list on screen
// stays as it is.
Task<std::optional<DayList>> FetchDayList(OrcaClient& client, QDate day, ListMode mode);

// The day's list, and then its marks: the listed patients about whom ORCA relays online
// information.
Task<std::optional<DayList>> ListDay(OrcaClient& client, QDate day, ListMode mode);

// Whether ProbeMarks asks ORCA about the number: not when it is blank or already known marked.
bool NeedsProbe(const QString& patientNumber, const QSet<QString>& knownMarked);

// Whether ORCA relays online information about the patient: a non-blank number (trimmed) is
// probed, its three probes in their order; a blank number is never marked, and a number in
// `knownMarked` is marked without a probe (a mark found once is never taken back).
Task<bool> ProbeMark(OrcaClient& client, QString patientNumber, QSet<QString> knownMarked = {});

// ProbeMark for every patient, side by side when the client allows it, in the list's order.
Task<QList<bool>> ProbeMarks(OrcaClient& client, QStringList patientNumbers, QSet<QString> knownMarked = {});
