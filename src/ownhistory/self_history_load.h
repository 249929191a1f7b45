#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "async/task.h"
#include "ownhistory/self_drugs.h"

class OrcaClient;

// What the own-institution pane shows after a load; the window copies it into `FSelfMonth`,
// `LabelSelfMonth` and `MemoSelf`.
struct SelfYakureki {
  QString month;             // the month shown, "yyyy-mm"
  QString monthLabel;        // "2024年05月"
  QStringList memo;          // the history's lines, empty when nothing was found
  QList<SelfDayDrugs> days;  // the drugs behind those lines, newest day first
  // False when a request of the load went unanswered: the month shown may lack drugs, or be an
  // earlier month than the one with drugs.
  bool whole = true;
};

// Loads the clinic's prescriptions of `selfMonth` (the current month when empty) for the patient:
// the month overview, then per treated day, newest first, the day's department and its drugs.
// A month that shows nothing steps back to the nearest of the six months before it whose overview
// names a drug, and loads that month the same way. Nothing when the patient number is blank: the
// pane keeps what it shows.
Task<std::optional<SelfYakureki>> LoadSelfDrugInfo(OrcaClient& client, QString patientId, QString selfMonth);

// The month buttons' road: the month's label at once, then the load. With no patient opened only
// the month and its label change, and `memo` is nothing: `MemoSelf` keeps what it shows.
struct SelfMonthShown {
  QString month;
  QString monthLabel;
  std::optional<QStringList> memo;
};
Task<SelfMonthShown> LoadSelfMonth(OrcaClient& client, QString patientId, QString selfMonth);
