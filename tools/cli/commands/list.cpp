// rinmed-cli list [yyyy-mm-dd] [--in-progress]: the patient grid of a day, as the window loads it.
#include <QDate>

#include "cli_command.h"
#include "cli_output.h"
#include "cli_ui.h"
#include "core/clock.h"
#include "druginfo/drug_info_logic.h"

namespace {

int List(const QStringList& arguments) {
  QDate day = Today();
  int listMode = 0;
  for (const QString& argument : arguments) {
    if (argument == QLatin1String("--in-progress")) {
      listMode = 1;
      continue;
    }
    day = QDate::fromString(argument, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid()) {
      PrintError(QStringLiteral("not a day (yyyy-mm-dd): ") + argument);
      return kExitUsage;
    }
  }

  CliDrugInfoUi ui;
  DrugInfoLogic logic(ui);
  logic.ResetWindowState();
  logic.FCurrentDate = day;
  logic.FListMode = listMode;
  logic.UpdateListStateDisplay();
  logic.UpdateDateLabel();
  logic.LoadPatientList();
  if (ui.messageCount() > 0) return kExitMessage;
  for (const QString& row : GridRows(logic.controls().GridPatient)) PrintLine(row);
  return kExitDone;
}

const CliRegistration registration{{QStringLiteral("list"), QStringLiteral("[yyyy-mm-dd] [--in-progress]"),
                                    QStringLiteral("the patient grid of the day (default today), marks "
                                                   "included; --in-progress: receptions not yet billed"),
                                    List}};

}  // namespace
