#include "day_listing.h"

#include "cli_output.h"
#include "core/clock.h"

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

QStringList ListingRows(const QList<ListedPatient>& patients) {
  StringGrid grid(4, 2);
  FillPatientGrid(grid, patients);
  return GridRows(grid);
}
