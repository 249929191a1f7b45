#pragma once

#include <QString>
#include <optional>

#include "async/task.h"
#include "ownhistory/self_history_load.h"
#include "tainhistory/institution_grid.h"
#include "tainhistory/load_drug_info.h"
#include "tainhistory/tain_lists.h"

class OrcaClient;
class Progress;

// What opening a patient brings to the right-hand panes.
struct OpenedPatient {
  DrugInfoLoad drugs;                    // started: the panes were emptied; the birth date
  TainLists lists;                       // the working lists after the load
  std::optional<TainOverview> overview;  // the grid and the overview, once phase 1 was answered
  std::optional<SelfYakureki> self;      // the clinic's own history; nothing: its pane stays
  QString ageLabel;                      // LabelAge
};

// Opens a patient: the other institutions' drug information with the check-up dates and the
// treatment records, the months printed in the patient's saved drug-information PDF, the grid and
// the overview; the clinic's own history from `selfMonth` (the current month when empty); then
// the age. The other institutions and the own history go side by side when the client allows it,
// else in that order; either way the result is the same. `progress`, when given, tells which
// history is read: "他院薬歴" with the other institutions' answers after the first counted, then
// "自院薬歴" while the own history is still read. `lists` are the window's lists before the load: a load
// whose phase 1 gets no answer keeps what they hold apart from the months and the prescriptions. The marks of
// the patient list are the caller's, after this.
Task<OpenedPatient> LoadPatient(OrcaClient& client, QString patientId, QString patientName, QString selfMonth,
                                TainLists lists, Progress* progress = nullptr);
