// rinmed-cli pdf-months FILE: the institution months the program reads out of a drug-information
// PDF, before the grid's own filters.
#include "cli_command.h"
#include "cli_output.h"
#include "pdf/institution_months.h"
#include "pdf_argument.h"

namespace {

int PdfMonths(const QStringList& arguments) {
  int exitCode = kExitDone;
  const std::optional<QString> file = PdfFileArgument(arguments, QStringLiteral("pdf-months"), &exitCode);
  if (!file) return exitCode;
  QStringList entries;
  ExtractInstitutionMonths(*file, entries);
  for (const QString& entry : std::as_const(entries)) PrintLine(entry);
  return kExitDone;
}

const CliRegistration registration{
    {QStringLiteral("pdf-months"), QStringLiteral("FILE"),
     QStringLiteral("prints the institution-month entries (name=yyyy-mm) read out of a PDF, one per line"),
     PdfMonths}};

}  // namespace
