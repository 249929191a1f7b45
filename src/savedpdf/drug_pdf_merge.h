#pragma once

#include <QString>

#include "tainhistory/tain_lists.h"

// What the drug-information merge needs of the window, taken when the step runs.
struct SavedDrugPdfContext {
  QString patientId;    // FPatientID, as held
  QString patientName;  // FPatientName
  QString selfInstCd;   // ownInstitutionCode; empty turns both own-clinic exclusions off
  QString kikanName;    // the setting KIKANNAME of section PARAMA
};

// The saved drug-information PDF step of the load: the first YZK PDF with the patient's key whose
// text names the patient gives its institution-month entries. Logs "PDF患者名一致: " + file name,
// "PDF抽出件数: " + count and "PDF: " + each entry; appends to treatmentMonths (unless present) the
// entries whose name passes IsInstitutionName and, with an own code set, names neither the clinic
// (KIKANNAME) nor an institution whose records carry the clinic's own code. Without such a file
// nothing is logged or added. Errors of an unreadable PDF reach the caller.
void MergeSavedDrugPdf(TainLists& lists, const SavedDrugPdfContext& context);
