#include "usecases/open_patient.h"

#include "core/clock.h"
#include "core/user_settings.h"
#include "orca/orca_client.h"
#include "savedpdf/drug_pdf_merge.h"
#include "savedpdf/tkk_month.h"
#include "selfhistory/age.h"

Task<OpenedPatient> OpenPatient(OrcaClient& client, QString patientId, QString patientName, QString selfMonth,
                                TainLists lists) {
  const QString selfInstCd = client.connection().FSelfInstCd;
  OpenedPatient opened;
  opened.drugs = co_await LoadDrugInfo(client, patientId, selfInstCd, lists);
  if (opened.drugs.phase1Answered) {
    // KIKANNAME is read when the step runs, so a change in the settings counts from the next patient.
    MergeSavedDrugPdf(lists, {patientId, patientName, selfInstCd, ReadSetting(Setting::InstitutionName)});
    opened.overview =
        DisplayTainYakureki(lists, selfInstCd, [&patientId] { return CheckUpPdfMonthOf(patientId); });
  }
  opened.lists = std::move(lists);
  opened.self = co_await LoadSelfDrugInfo(client, patientId, selfMonth);
  opened.ageLabel = AgeLabelText(opened.drugs.FBirthDate, Today());
  co_return opened;
}
