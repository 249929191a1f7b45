// Feeds arbitrary answers down the road of other institutions' history: the drug information's two
// phases, the check-up dates and the treatment records fill the lists, from which the grid, the
// history texts and the age are drawn as the window draws them.
//   parameters: the clinic's code, the month asked in phase 2
//   parts:      phase 1, phase 2, check-ups, treatment records
#include <QDate>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "orca/response_reader.h"
#include "ownhistory/age.h"
#include "tainhistory/check_up.h"
#include "tainhistory/drug_get_parse.h"
#include "tainhistory/institution_grid.h"
#include "tainhistory/med_get.h"
#include "tainhistory/yakureki_text.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  UseTemporaryProgramFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FuzzInput input(data, size);
  const QString selfInstCd = input.param(0);
  const QString month = input.param(1);

  TainLists lists;
  QString birthDate;
  ParseOnlineDrugGet01(ResponseLines(input.part(0)), selfInstCd, lists, &birthDate);
  ParseOnlineDrugGet02(input.part(1), month, lists);
  ParseOnlineSpecGet01(ResponseLines(input.part(2)), lists);
  ParseOnlineMedGet01(ResponseLines(input.part(3)), selfInstCd, lists);
  for (QStringList list :
       {lists.monthList, lists.institutionMonths, lists.checkUpDates, lists.treatmentMonths}) {
    FUZZ_CHECK(list.removeDuplicates() == 0);
  }

  (void)AgeLabelText(birthDate, QDate(2025, 6, 12));
  const TainOverview overview = TainOverviewOf(lists, selfInstCd);
  for (int row = 0; row < overview.grid.rowCount(); ++row)
    FUZZ_CHECK(overview.grid.rowCells(row).size() == overview.grid.colCount());
  for (int row = 1; row < overview.grid.rowCount() && row <= 3; ++row) {
    (void)TainDetailOf(lists.prescriptions, InstitutionAtRow(overview.grid, row));
  }
  (void)BuildYakurekiText(lists.prescriptions, QString(), selfInstCd, QString(), month, true);
  (void)BuildYakurekiText(lists.prescriptions, QString(), QString(), selfInstCd, QString(), false);
  return 0;
}
