// rinmed-cli pdf-date FILE: the check-up month the program reads out of a PDF.
#include "cli_command.h"
#include "cli_output.h"
#include "pdf/date_extract.h"
#include "pdf_argument.h"

namespace {

int PdfDate(const QStringList& arguments) {
  int exitCode = kExitDone;
  const std::optional<QString> file = PdfFileArgument(arguments, QStringLiteral("pdf-date"), &exitCode);
  if (!file) return exitCode;
  PrintLine(ExtractDateFromPdf(*file));
  return kExitDone;
}

const CliRegistration registration{
    {QStringLiteral("pdf-date"), QStringLiteral("FILE"),
     QStringLiteral("prints the year-month (yyyy-mm) of the date read out of a PDF; an empty line when "
                    "it has none"),
     PdfDate}};

}  // namespace
