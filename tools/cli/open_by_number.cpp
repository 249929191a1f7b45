#include "open_by_number.h"

#include "async/run_blocking.h"
#include "cli_command.h"
#include "cli_output.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "orca/response_reader.h"
#include "usecases/find_patient.h"

std::optional<OpenedByNumber> OpenByNumber(OrcaClient& client, const QStringList& arguments,
                                           const QString& command, int* exitStatus) {
  if (arguments.size() != 1 || arguments.first().trimmed().isEmpty()) {
    PrintError(QStringLiteral("usage: rinmed-cli %1 NUMBER").arg(command));
    *exitStatus = kExitUsage;
    return std::nullopt;
  }
  const QString number = TrimBlanksAndControls(arguments.first());
  client.setConnection(ReadConnection());
  const NumberSearch found = RunBlocking(FindPatientByNumber(client, number));
  if (found.message) {
    PrintMessage(*found.message);
    *exitStatus = kExitMessage;
    return std::nullopt;
  }
  OpenedByNumber result{found.number,
                        RunBlocking(LoadPatient(client, found.number, found.name, QString(), TainLists()))};
  return result;
}
