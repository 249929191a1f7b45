#pragma once

#include <QDate>
#include <QString>
#include <functional>

#include "history/tain_lists.h"

class OrcaClient;

// What the window lends a load beyond the connection.
struct DrugInfoLoadHooks {
  // Called once the lists are emptied and before the first request: the window resets
  // GridInstitution (ClearInstitutionGrid) and empties MemoTain here.
  std::function<void()> clearPanes;
  // The saved drug-information PDF step: adds the institution-month pairs printed in the patient's
  // saved PDF to FMedInstMonths after the treatment records. Left empty, the step is skipped.
  std::function<void(TainLists&)> mergeSavedDrugPdf;
};

struct DrugInfoLoad {
  bool started = false;         // false: blank patient number, nothing cleared or sent
  bool phase1Answered = false;  // true: the window draws the grid and overview (DisplayTainYakureki)
  QString FBirthDate;           // the BirthDate of the phase-1 answer; empty when there is none
};

// Fetches the drug information of the patient in two phases, then the check-up dates and the
// treatment records, and leaves everything in the lists. Without a phase-1 answer the load stops
// after emptying FMonthList and FPrescList; the other lists keep what they held.
DrugInfoLoad LoadDrugInfo(OrcaClient& client, const QString& patientId, const QString& selfInstCd,
                          TainLists& lists, const DrugInfoLoadHooks& hooks = {});

// Fills the month list up to the twelve months ending with today's, newest first, when it holds
// fewer than twelve.
void CompleteMonthList(QStringList& monthList, const QDate& today);
