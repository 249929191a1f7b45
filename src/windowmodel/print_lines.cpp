#include "windowmodel/print_lines.h"

#include <exception>
#include <memory>

namespace {

constexpr int kMargin = 100;  // left and top, in printer dots
constexpr int kBottomReserve = 200;
constexpr int kLineGap = 4;
constexpr int kPrintPoints = 10;

// Ends the job on every way out, so that a failure while drawing leaves no job open.
class JobEnder {
 public:
  explicit JobEnder(PrintJob& job) : job_(job) {}
  ~JobEnder() noexcept(false) {
    // While an error is on its way, a second one from EndDoc would end the program.
    if (std::uncaught_exceptions() > 0) {
      try {
        job_.EndDoc();
      } catch (...) {
      }
    } else {
      job_.EndDoc();
    }
  }
  JobEnder(const JobEnder&) = delete;
  JobEnder& operator=(const JobEnder&) = delete;

 private:
  PrintJob& job_;
};

}  // namespace

void PrintLines(DesktopServices& desktop, const QStringList& lines) {
  const std::unique_ptr<PrintJob> job = desktop.BeginPrintJob();
  JobEnder ender(*job);
  job->SetFixedPitchFont(kPrintPoints);
  int y = kMargin;
  for (const QString& line : lines) {
    job->TextOut(kMargin, y, line);
    y += job->TextHeight(QStringLiteral("A")) + kLineGap;
    if (y > job->PageHeight() - kBottomReserve) {
      job->NewPage();
      y = kMargin;
    }
  }
}
