#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <exception>
#include <optional>

#include "async/task.h"
#include "patients/acceptance_list.h"
#include "usecases/patient_grid.h"

class OrcaClient;

// The patients received on a day, as the list shows them.
struct DayList {
  QList<ListedPatient> patients;  // in the answer's order, as the list mode filters them
  // The patient cache could not be written: the list stands, unmarked, and the error is the
  // caller's to raise once it has shown the list.
  std::exception_ptr cacheError;
};

// The patients of a reception-list answer as the mode lists them, every received patient (also
// those the mode hides) fed to the patient cache; none marked yet.
DayList ListedPatientsOf(const QStringList& answerLines, ListMode mode);

// Asks ORCA for the day's receptions, feeds every received patient to the patient cache (also
// those the mode hides), and marks the listed patients about whom ORCA relays online
// information. Nothing when ORCA gave no answer: the list on screen stays as it is.
Task<std::optional<DayList>> ListDay(OrcaClient& client, QDate day, ListMode mode);

// Which of the patients ORCA relays online information about, probing each non-blank number
// (trimmed) as the marks are decided; blank numbers are never marked.
Task<QList<bool>> ProbeMarks(OrcaClient& client, QStringList patientNumbers);
