// rinmed-cli COMMAND [ARGUMENTS] [--folder DIR]: the window's roads without windows. user.ini,
// the log, the dump files and the patient cache are those of the program's folder, the
// executable's own unless --folder names another.
#include <QCoreApplication>
#include <exception>

#include "cli_command.h"
#include "cli_output.h"
#include "core/core_error.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/write_trouble.h"
#include "platform/console.h"
#include "platform/tls_backend.h"

namespace {

void PrintHelp() {
  PrintLine(QStringLiteral("usage: rinmed-cli COMMAND [ARGUMENTS] [--folder DIR]"));
  PrintLine(QString());
  for (const CliCommand& command : CliCommands()) {
    PrintLine(QStringLiteral("  ") + command.name + QLatin1Char(' ') + command.usage);
    PrintLine(QStringLiteral("      ") + command.summary);
  }
  PrintLine(QString());
  PrintLine(
      QStringLiteral("  --folder DIR  use DIR as the program folder (user.ini, Log.txt, PatientCache.csv)"));
  PrintLine(QStringLiteral("  --help        this text"));
  PrintLine(QString());
  PrintLine(
      QStringLiteral("Output is UTF-8 with LF line ends. Exit status: 0 done, 1 a message or an error "
                     "(on stderr), 2 a wrong command line."));
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  UseUtf8Console();
  UseClientCertificateTlsBackend();
  QStringList arguments = app.arguments().mid(1);

  const qsizetype folderAt = arguments.indexOf(QStringLiteral("--folder"));
  if (folderAt >= 0) {
    if (folderAt + 1 >= arguments.size()) {
      PrintError(QStringLiteral("--folder needs a folder"));
      return kExitUsage;
    }
    SetProgramFolder(arguments.at(folderAt + 1));
    arguments.remove(folderAt, 2);
  }
  if (arguments.isEmpty() || arguments.contains(QStringLiteral("--help")) ||
      arguments.contains(QStringLiteral("-h"))) {
    PrintHelp();
    return arguments.isEmpty() ? kExitUsage : kExitDone;
  }

  StartNewLogIfLarge();  // a log that cannot be renamed grows on, as before
  const CliCommand* command = FindCliCommand(arguments.first());
  if (!command) {
    PrintError(QStringLiteral("unknown command: ") + arguments.first() + QStringLiteral(" (see --help)"));
    return kExitUsage;
  }
  // A file of the program's folder that cannot be written is said once, however many requests or
  // lines meet it, and the exit status says that something was.
  WriteTroubleTeller teller([](const QString& text) {
    PrintMessage(UserMessage{MessageKind::Warning, text});
  });
  try {
    const int status = command->run(arguments.mid(1));
    return status == kExitDone && teller.toldAny() ? kExitMessage : status;
  } catch (const FileWriteError&) {
    // said by the teller
  } catch (const CoreError& e) {
    PrintError(e.message());
  } catch (const std::exception& e) {
    PrintError(QString::fromLocal8Bit(e.what()));
  }
  return kExitMessage;
}
