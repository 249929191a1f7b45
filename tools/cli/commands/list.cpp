// rinmed-cli list [yyyy-mm-dd] [--in-progress]: the patient grid of a day, as the window loads it.
#include "async/run_blocking.h"
#include "cli_command.h"
#include "cli_output.h"
#include "day_listing.h"
#include "orca/orca_client.h"
#include "usecases/list_day.h"
#include "usecases/user_messages.h"

namespace {

int List(const QStringList& arguments) {
  const std::optional<DayArguments> parsed = ParseDayArguments(arguments);
  if (!parsed) return kExitUsage;

  OrcaClient client;
  if (!ConnectToConfiguredServer(client)) return kExitMessage;
  const std::optional<DayList> list = RunBlocking(ListDay(client, parsed->day, parsed->mode));
  if (list && list->cacheError) std::rethrow_exception(list->cacheError);
  for (const QString& row : ListingRows(list ? list->patients : QList<ListedPatient>())) PrintLine(row);
  return kExitDone;
}

const CliRegistration registration{{QStringLiteral("list"), QStringLiteral("[yyyy-mm-dd] [--in-progress]"),
                                    QStringLiteral("the patient grid of the day (default today), marks "
                                                   "included; --in-progress: receptions not yet billed"),
                                    List}};

}  // namespace
