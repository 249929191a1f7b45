// rinmed-cli patient NUMBER: the window's search by number, and what it then shows.
#include "cli_command.h"
#include "cli_output.h"
#include "cli_ui.h"
#include "druginfo/drug_info_logic.h"

namespace {

int Patient(const QStringList& arguments) {
  if (arguments.size() != 1 || arguments.first().trimmed().isEmpty()) {
    PrintError(QStringLiteral("usage: rinmed-cli patient NUMBER"));
    return kExitUsage;
  }
  CliDrugInfoUi ui;
  DrugInfoLogic logic(ui);
  logic.CreateWorkingLists();
  logic.ResetWindowState();
  DrugInfoControls& controls = logic.controls();
  controls.ComboBoxSearch.itemIndex = 0;
  controls.EditSearch.text = arguments.first();
  logic.BtnSearchClick();
  if (ui.messageCount() > 0) return kExitMessage;

  PrintLine(QStringLiteral("== 受診歴 =="));
  for (const QString& row : GridRows(controls.GridInstitution)) PrintLine(row);
  PrintLine(QStringLiteral("== 他院 =="));
  for (const QString& line : std::as_const(controls.MemoTain.lines)) PrintLine(line);
  PrintLine(QStringLiteral("== 自院薬歴 =="));
  PrintLine(controls.LabelSelfMonth.text);
  for (const QString& line : std::as_const(controls.MemoSelf.lines)) PrintLine(line);
  PrintLine(QStringLiteral("== 年齢 =="));
  PrintLine(controls.LabelAge.text);
  return kExitDone;
}

const CliRegistration registration{{QStringLiteral("patient"), QStringLiteral("NUMBER"),
                                    QStringLiteral("opens the patient as a search by number does and prints "
                                                   "the institution grid, both histories and the age"),
                                    Patient}};

}  // namespace
