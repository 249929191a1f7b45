#include "usecases/open_patient.h"

#include "async/in_order.h"
#include "async/progress.h"
#include "core/clock.h"
#include "core/user_settings.h"
#include "orca/orca_client.h"
#include "ownhistory/age.h"
#include "savedpdf/drug_pdf_merge.h"
#include "savedpdf/tkk_month.h"

namespace {

// The other institutions: the drug information with the check-up dates and the treatment records,
// then the months printed in the patient's saved drug-information PDF, the grid and the overview.
Task<void> OpenOtherInstitutions(OrcaClient& client, QString patientId, QString patientName, TainLists& lists,
                                 OpenedPatient& opened, Progress* progress) {
  const QString selfInstCd = client.connection().ownInstitutionCode;
  if (progress) progress->set(QStringLiteral("他院薬歴"));
  opened.drugs = co_await LoadDrugInfo(client, patientId, selfInstCd, lists, progress);
  if (progress) progress->set(QStringLiteral("自院薬歴"));
  if (!opened.drugs.phase1Answered) co_return;
  // KIKANNAME is read when the step runs, so a change in the settings counts from the next patient.
  MergeSavedDrugPdf(lists, {patientId, patientName, selfInstCd, ReadSetting(Setting::InstitutionName)});
  opened.overview = TainOverviewOf(lists, selfInstCd, CheckUpFallbackOf(lists, patientId));
}

Task<void> OpenOwnHistory(OrcaClient& client, QString patientId, QString selfMonth, OpenedPatient& opened) {
  opened.self = co_await LoadSelfDrugInfo(client, patientId, selfMonth);
}

}  // namespace

Task<OpenedPatient> LoadPatient(OrcaClient& client, QString patientId, QString patientName, QString selfMonth,
                                TainLists lists, Progress* progress) {
  OpenedPatient opened;
  // Named, not temporaries inside the co_await: GCC 12 mishandles those.
  Task<void> others = OpenOtherInstitutions(client, patientId, patientName, lists, opened, progress);
  Task<void> own = OpenOwnHistory(client, patientId, selfMonth, opened);
  co_await Both(std::move(others), std::move(own), client.sideBySide());
  opened.lists = std::move(lists);
  opened.ageLabel = AgeLabelText(opened.drugs.birthDate, Today());
  co_return opened;
}
