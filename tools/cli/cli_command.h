#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// One command of rinmed-cli. It returns the exit status: 0 done, 1 the program had something to
// tell (a message the window shows in a box, an error), 2 a wrong command line.
struct CliCommand {
  QString name;
  QString usage;    // the arguments after the name, as --help shows them
  QString summary;  // one line
  std::function<int(const QStringList& arguments)> run;
};

inline constexpr int kExitDone = 0;
inline constexpr int kExitMessage = 1;
inline constexpr int kExitUsage = 2;

// A command file registers its command with a static CliRegistration; --help lists them by name.
class CliRegistration {
 public:
  explicit CliRegistration(CliCommand command);
};

QList<CliCommand> CliCommands();
const CliCommand* FindCliCommand(const QString& name);
