// rinmed-cli pdf-text FILE: the text the program reads out of a saved PDF.
#include "cli_command.h"
#include "cli_output.h"
#include "pdf/stream_scan.h"
#include "pdf_argument.h"

namespace {

int PdfText(const QStringList& arguments) {
  int exitCode = kExitDone;
  const std::optional<QString> file = PdfFileArgument(arguments, QStringLiteral("pdf-text"), &exitCode);
  if (!file) return exitCode;
  PrintText(ExtractTextFromPdf(*file));
  return kExitDone;
}

const CliRegistration registration{
    {QStringLiteral("pdf-text"), QStringLiteral("FILE"),
     QStringLiteral("prints the text read out of a PDF, as the saved-PDF lookup reads it"), PdfText}};

}  // namespace
