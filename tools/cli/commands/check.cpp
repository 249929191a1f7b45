// rinmed-cli check NUMBER: the patient opened as a search by number opens it, then the medication
// check over the drugs that opening read.
#include "async/run_blocking.h"
#include "cli_command.h"
#include "cli_output.h"
#include "medcheck/findings_report.h"
#include "open_by_number.h"
#include "orca/orca_client.h"
#include "usecases/check_medication.h"

namespace {

int Check(const QStringList& arguments) {
  OrcaClient client;
  int status = kExitDone;
  const std::optional<OpenedByNumber> found =
      OpenByNumber(client, arguments, QStringLiteral("check"), &status);
  if (!found) return status;
  const QString& number = found->number;
  const OpenedPatient& opened = found->opened;
  const MedicationCheck check = RunBlocking(CheckMedication(client, CheckInputOf(number, opened)));
  for (const QString& row : CheckReportRows(check)) PrintLine(row);
  return check.failed() ? kExitMessage : kExitDone;
}

const CliRegistration registration{
    {QStringLiteral("check"), QStringLiteral("NUMBER"),
     QStringLiteral("opens the patient and checks its recent drugs for duplicate ingredients and, through "
                    "ORCA, interactions: tab-separated findings, then the 未確認 drugs; status 1 when the "
                    "check could not be done"),
     Check}};

}  // namespace
