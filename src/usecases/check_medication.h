#pragma once

#include <QList>
#include <QString>

#include "async/task.h"
#include "medcheck/medication_check.h"
#include "ownhistory/self_drugs.h"
#include "tainhistory/prescription.h"

class OrcaClient;
struct OpenedPatient;

// What the check looks at, all of it already fetched by the opening of the patient.
struct MedicationCheckInput {
  QString patientId;
  bool otherInstitutionsRead = false;  // the drug summary was answered: the list below is whole
  QList<TPrescription> prescList;      // the other institutions' drugs
  QList<SelfDayDrugs> ownDays;         // the clinic's drugs of the own-history month shown
  bool ownDaysRead = true;             // false: a request of the own history went unanswered
  QString ownMonthLabel;               // that month, as its label shows it ("2024年05月")
};

// The input out of what OpenPatient returned for the patient.
MedicationCheckInput CheckInputOf(const QString& patientId, const OpenedPatient& opened);

// Checks the drugs in view: the other institutions' and the clinic's whose supply covers today or
// ended within MEDCHECKDAYS days. Duplicate ingredients are found here; the interactions take one
// request to ORCA (contraindicationcheckv2) with the drugs' codes, none when no other
// institution's drug has a code ORCA can check. A failed request, an ORCA error, or other
// institutions' drugs that could not be read give `failure`, never a check without findings; the
// clinic's own drugs that could not be read are listed as unconfirmed.
// The clinic's institution code is the client's connection's.
Task<MedicationCheck> CheckMedication(OrcaClient& client, MedicationCheckInput input);
