#include "pdf_argument.h"

#include <QFileInfo>

#include "cli_command.h"
#include "cli_output.h"

std::optional<QString> PdfFileArgument(const QStringList& arguments, const QString& command, int* exitCode) {
  if (arguments.size() != 1 || arguments.first().isEmpty()) {
    PrintError(QStringLiteral("usage: rinmed-cli ") + command + QStringLiteral(" FILE"));
    *exitCode = kExitUsage;
    return std::nullopt;
  }
  const QString& file = arguments.first();
  if (!QFileInfo(file).isFile()) {
    PrintError(QStringLiteral("no such file: ") + file);
    *exitCode = kExitMessage;
    return std::nullopt;
  }
  return file;
}
