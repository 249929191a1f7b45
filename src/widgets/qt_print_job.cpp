#include "widgets/qt_print_job.h"

#include <QFontMetrics>
#include <QPrinter>
#include <QPrinterInfo>

#include "core/core_error.h"
#include "widgets/ui_fonts.h"

QtPrintJob::QtPrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {
  if (!painter_.begin(printer_.get())) throw CoreError(QStringLiteral("印刷を開始できません。"));
}

QtPrintJob::~QtPrintJob() {
  if (painter_.isActive()) painter_.end();
}

void QtPrintJob::SetFixedPitchFont(int points) {
  QFont font = FixedPitchUiFont(12);
  font.setPointSize(points);
  painter_.setFont(QFont(font, printer_.get()));
}

// A canvas measures a text's height as the font's cell height, whatever the characters.
int QtPrintJob::TextHeight(const QString& /*text*/) {
  return QFontMetrics(painter_.font(), printer_.get()).height();
}

int QtPrintJob::PageHeight() {
  return printer_->height();
}

// A canvas places text by its top; a painter by its baseline.
void QtPrintJob::TextOut(int x, int y, const QString& text) {
  painter_.drawText(x, y + QFontMetrics(painter_.font(), printer_.get()).ascent(), text);
}

void QtPrintJob::NewPage() {
  if (!printer_->newPage()) throw CoreError(QStringLiteral("次のページを開始できません。"));
}

void QtPrintJob::EndDoc() {
  if (painter_.isActive()) painter_.end();
}

std::unique_ptr<PrintJob> BeginDefaultPrinterJob() {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (info.isNull()) throw CoreError(QStringLiteral("既定のプリンターがありません。"));
  return std::make_unique<QtPrintJob>(std::make_unique<QPrinter>(info, QPrinter::HighResolution));
}
