// rinmed-cli patient NUMBER: the window's search by number, and what it then shows.
#include "async/run_blocking.h"
#include "cli_command.h"
#include "cli_output.h"
#include "open_by_number.h"
#include "orca/orca_client.h"
#include "ownhistory/self_month.h"
#include "usecases/list_day.h"
#include "windowmodel/control_models.h"

namespace {

int Patient(const QStringList& arguments) {
  OrcaClient client;
  int status = kExitDone;
  const std::optional<OpenedByNumber> found =
      OpenByNumber(client, arguments, QStringLiteral("patient"), &status);
  if (!found) return status;
  const QString& number = found->number;
  const OpenedPatient& opened = found->opened;
  RunBlocking(ProbeMarks(client, {number}));  // the window marks its one row after opening

  StringGrid institutions(2, 2);
  ResetInstitutionGrid(institutions);
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
  PrintLine(opened.self ? opened.self->monthLabel : SelfMonthLabelText(CurrentSelfMonth()));
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
