// rinmed-cli list [yyyy-mm-dd] [--in-progress] [--check]: the patient grid of a day, as the window
// loads it; with --check, each patient opened and checked, the outcome in one more column.
#include <exception>

#include "async/run_blocking.h"
#include "cli_command.h"
#include "cli_output.h"
#include "day_listing.h"
#include "medcheck/check_indicator.h"
#include "orca/orca_client.h"
#include "usecases/check_medication.h"
#include "usecases/list_day.h"
#include "usecases/open_patient.h"
#include "usecases/user_messages.h"

namespace {

// The check's outcome as the list shows it at a glance: 「！」 for findings or a check that could not
// be done, 「？」 for drugs left 未確認 alone, 「－」 for 所見なし.
QString CheckMark(CheckTone tone) {
  switch (tone) {
    case CheckTone::Clear:
      return QStringLiteral("－");
    case CheckTone::Caution:
      return QStringLiteral("？");
    case CheckTone::Alarm:
    case CheckTone::Neutral:
      break;
  }
  return QStringLiteral("！");
}

// Opens the patient as a double-click on the row does and checks the drugs that opening read. A
// patient who cannot be opened cannot be checked either.
QString CheckedMark(OrcaClient& client, const ListedPatient& patient) {
  try {
    const OpenedPatient opened =
        RunBlocking(LoadPatient(client, patient.number, patient.name, QString(), TainLists()));
    const MedicationCheck check = RunBlocking(CheckMedication(client, CheckInputOf(patient.number, opened)));
    return CheckMark(IndicatorOf(check).tone);
  } catch (const std::exception&) {
    return CheckMark(CheckTone::Alarm);
  }
}

int List(QStringList arguments) {
  const bool withCheck = arguments.removeAll(QStringLiteral("--check")) > 0;
  const std::optional<DayArguments> parsed = ParseDayArguments(arguments);
  if (!parsed) return kExitUsage;

  OrcaClient client;
  if (!ConnectToConfiguredServer(client)) return kExitMessage;
  const std::optional<DayList> list = RunBlocking(ListDay(client, parsed->day, parsed->mode));
  const QList<ListedPatient> patients = list ? list->patients : QList<ListedPatient>();
  const QStringList rows = ListingRows(patients);
  for (qsizetype i = 0; i < rows.size(); ++i) {
    if (!withCheck) {
      PrintLine(rows.at(i));
    } else if (i == 0) {
      PrintLine(rows.at(i) + QStringLiteral("\tチェック"));
    } else {
      PrintLine(rows.at(i) + QLatin1Char('\t') + CheckedMark(client, patients.at(i - 1)));
    }
  }
  return kExitDone;
}

const CliRegistration registration{
    {QStringLiteral("list"), QStringLiteral("[yyyy-mm-dd] [--in-progress] [--check]"),
     QStringLiteral("the patient grid of the day (default today), marks included; --in-progress: receptions "
                    "not yet billed; --check: each patient opened and checked, one more column: ！ findings "
                    "or no check, ？ drugs left 未確認, － 所見なし"),
     List}};

}  // namespace
