#include "cli_command.h"

#include <algorithm>

namespace {

// Built on first use: the registrations run during static initialisation in any order.
QList<CliCommand>& Registry() {
  static QList<CliCommand> commands;
  return commands;
}

}  // namespace

CliRegistration::CliRegistration(CliCommand command) {
  Registry().append(std::move(command));
}

QList<CliCommand> CliCommands() {
  QList<CliCommand> commands = Registry();
  std::sort(commands.begin(), commands.end(),
            [](const CliCommand& a, const CliCommand& b) { return a.name < b.name; });
  return commands;
}

const CliCommand* FindCliCommand(const QString& name) {
  for (const CliCommand& command : Registry()) {
    if (command.name == name) return &command;
  }
  return nullptr;
}
