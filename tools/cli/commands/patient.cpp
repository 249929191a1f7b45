// rinmed-cli patient NUMBER: the window's search by number, and what it then shows.
#include "async/run_blocking.h"
#include "cli_command.h"
#include "cli_output.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"
#include "selfhistory/self_month.h"
#include "uikit/control_models.h"
#include "usecases/find_patient.h"
#include "usecases/list_day.h"
#include "usecases/open_patient.h"

namespace {

int Patient(const QStringList& arguments) {
  if (arguments.size() != 1 || arguments.first().trimmed().isEmpty()) {
    PrintError(QStringLiteral("usage: rinmed-cli patient NUMBER"));
    return kExitUsage;
  }
  const QString number = TrimBlanksAndControls(arguments.first());
  OrcaClient client;
  client.setConnection(GetWebORCAInfo());
  const NumberSearch found = RunBlocking(FindPatientByNumber(client, number));
  if (found.message) {
    PrintMessage(*found.message);
    return kExitMessage;
  }
  const OpenedPatient opened = RunBlocking(OpenPatient(client, number, found.name, QString(), TainLists()));
  RunBlocking(ProbeMarks(client, {number}));  // the window marks its one row after opening

  StringGrid institutions(2, 2);
  ClearInstitutionGrid(institutions);
  MemoModel tain;
  if (opened.overview) {
    institutions = opened.overview->grid;
    tain.setText(opened.overview->memoTain);
  }
  PrintLine(QStringLiteral("== 受診歴 =="));
  for (const QString& row : GridRows(institutions)) PrintLine(row);
  PrintLine(QStringLiteral("== 他院 =="));
  for (const QString& line : std::as_const(tain.lines)) PrintLine(line);
  PrintLine(QStringLiteral("== 自院薬歴 =="));
  PrintLine(opened.self ? opened.self->monthLabel : UpdateSelfMonthLabel(CurrentSelfMonth()));
  if (opened.self) {
    for (const QString& line : std::as_const(opened.self->memo)) PrintLine(line);
  }
  PrintLine(QStringLiteral("== 年齢 =="));
  PrintLine(opened.ageLabel);
  return kExitDone;
}

const CliRegistration registration{{QStringLiteral("patient"), QStringLiteral("NUMBER"),
                                    QStringLiteral("opens the patient as a search by number does and prints "
                                                   "the institution grid, both histories and the age"),
                                    Patient}};

}  // namespace
