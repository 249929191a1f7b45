// rinmed-cli list [yyyy-mm-dd] [--in-progress]: the patient grid of a day, as the window loads it.
#include <QDate>

#include "async/run_blocking.h"
#include "cli_command.h"
#include "cli_output.h"
#include "core/clock.h"
#include "orca/orca_client.h"
#include "usecases/list_day.h"
#include "usecases/user_messages.h"

namespace {

int List(const QStringList& arguments) {
  QDate day = Today();
  ListMode mode = ListMode::All;
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--in-progress")) {
      mode = ListMode::InProgress;
      continue;
    }
    day = QDate::fromString(argument, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid()) {
      PrintError(QStringLiteral("not a day (yyyy-mm-dd): ") + argument);
      return kExitUsage;
    }
  }

  OrcaClient client;
  client.setConnection(GetWebORCAInfo());
  if (!client.connection().configured()) {
    PrintMessage({MessageKind::Warning, kNotConfiguredText});
    return kExitMessage;
  }
  StringGrid grid(4, 2);
  ClearPatientGrid(grid);
  const std::optional<DayList> list = RunBlocking(ListDay(client, day, mode));
  if (list) {
    FillPatientGrid(grid, list->patients);
    if (list->cacheError) std::rethrow_exception(list->cacheError);
  }
  for (const QString& row : GridRows(grid)) PrintLine(row);
  return kExitDone;
}

const CliRegistration registration{{QStringLiteral("list"), QStringLiteral("[yyyy-mm-dd] [--in-progress]"),
                                    QStringLiteral("the patient grid of the day (default today), marks "
                                                   "included; --in-progress: receptions not yet billed"),
                                    List}};

}  // namespace
