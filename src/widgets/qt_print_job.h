#pragma once

#include <QFont>
#include <QPainter>
#include <memory>

#include "windowmodel/desktop_services.h"

class QPrinter;

// A print job drawn with a painter on a QPrinter; the printer is the default one in the window,
// a PDF file in tests.
class QtPrintJob : public PrintJob {
 public:
  // Begins the job; raises CoreError when the printer cannot start it.
  explicit QtPrintJob(std::unique_ptr<QPrinter> printer);
  ~QtPrintJob() override;

  void SetFixedPitchFont(int points) override;
  int TextHeight(const QString& text) override;
  int PageHeight() override;
  void TextOut(int x, int y, const QString& text) override;
  void NewPage() override;
  void EndDoc() override;

 private:
  std::unique_ptr<QPrinter> printer_;
  QPainter painter_;
};

// A job on the system's default printer; CoreError when there is none.
std::unique_ptr<PrintJob> BeginDefaultPrinterJob();
