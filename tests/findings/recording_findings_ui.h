#pragma once

#include <QStringList>
#include <functional>
#include <memory>

#include "findings/findings_logic.h"
#include "windowmodel/headless_desktop.h"

// A printer that keeps what is drawn on it: one entry per line, "<page>" for each new page.
class RecordingPrintJob : public PrintJob {
 public:
  RecordingPrintJob(QStringList* printed, int pageHeight) : printed_(printed), pageHeight_(pageHeight) {}
  void SetFixedPitchFont(int points) override { *printed_ << QStringLiteral("<font %1>").arg(points); }
  int TextHeight(const QString&) override { return 40; }
  int PageHeight() override { return pageHeight_; }
  void TextOut(int x, int y, const QString& text) override {
    *printed_ << QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(text);
  }
  void NewPage() override { *printed_ << QStringLiteral("<page>"); }
  void EndDoc() override { *printed_ << QStringLiteral("<end>"); }

 private:
  QStringList* printed_;
  int pageHeight_;
};

// Records what the findings window asks of the desktop; without `pageHeight` there is no printer.
class RecordingFindingsUi : public HeadlessDesktop<FindingsUi> {
 public:
  void MessageBox(MessageKind, const QString& text) override { messages << text; }
  void SetClipboardText(const QString& text) override { clipboard = text; }
  std::unique_ptr<PrintJob> BeginPrintJob() override {
    if (pageHeight == 0) return HeadlessDesktop<FindingsUi>::BeginPrintJob();
    return std::make_unique<RecordingPrintJob>(&printed, pageHeight);
  }

  QStringList messages;
  QString clipboard;
  QStringList printed;
  int pageHeight = 0;
};
