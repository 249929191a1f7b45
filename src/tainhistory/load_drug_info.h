#pragma once

#include <QDate>
#include <QString>

#include "async/task.h"
#include "tainhistory/tain_lists.h"

class OrcaClient;
class Progress;

struct DrugInfoLoad {
  bool started = false;         // false: blank patient number, nothing emptied or sent
  bool phase1Answered = false;  // true: the grid and overview can be drawn (DisplayTainYakureki)
  QString birthDate;            // FBirthDate: the BirthDate of the phase-1 answer; empty when there is none
};

// Fetches the drug information of the patient in two phases, then the check-up dates and the
// treatment records, and leaves everything in the lists. When the client allows it, the check-up
// dates and the treatment records are asked for beside phase 1 and the months beside each other
// after it; everything is read in the one-at-a-time order all the same. `progress`, when given,
// counts the answers read after phase 1 under the label it has. Without a phase-1 answer the load
// stops after emptying monthList and prescriptions; the other lists keep what they held. The caller
// adds the saved drug-information PDF's months after a load whose phase 1 was answered.
Task<DrugInfoLoad> LoadDrugInfo(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists,
                                Progress* progress = nullptr);

// Asks for the patient's check-up dates and puts them into checkUpDates, which it empties first. A
// blank patient number sends nothing and leaves the list as it is.
Task<void> LoadOnlineSpecGet(OrcaClient& client, QString patientId, TainLists& lists);

// Asks twice for the treatment records of other institutions — every month the service keeps, then
// from the month six calendar months before today — and refills treatmentMonths from both answers.
// A blank patient number sends nothing and leaves the list as it is.
Task<void> LoadOnlineMedGet(OrcaClient& client, QString patientId, QString selfInstCd, TainLists& lists);

// Fills the month list up to the twelve months ending with today's, newest first, when it holds
// fewer than twelve.
void CompleteMonthList(QStringList& monthList, const QDate& today);
