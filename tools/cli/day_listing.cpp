#include "day_listing.h"

#include "cli_output.h"
#include "core/clock.h"
#include "orca/orca_client.h"
#include "usecases/user_messages.h"

std::optional<DayArguments> ParseDayArguments(const QStringList& arguments) {
  DayArguments parsed{Today(), ListMode::All};
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--in-progress")) {
      parsed.mode = ListMode::InProgress;
      continue;
    }
    parsed.day = QDate::fromString(argument, QStringLiteral("yyyy-MM-dd"));
    if (!parsed.day.isValid()) {
      PrintError(QStringLiteral("not a day (yyyy-mm-dd): ") + argument);
      return std::nullopt;
    }
  }
  return parsed;
}

bool ConnectToConfiguredServer(OrcaClient& client) {
  client.setConnection(ReadConnection());
  if (client.connection().configured()) return true;
  PrintMessage({MessageKind::Warning, kNotConfiguredText});
  return false;
}

QStringList ListingRows(const QList<ListedPatient>& patients) {
  StringGrid grid(4, 2);
  FillPatientGrid(grid, patients);
  return GridRows(grid);
}
