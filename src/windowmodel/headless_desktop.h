#pragma once

#include <exception>

#include "core/core_error.h"
#include "windowmodel/desktop_services.h"

// A window's services where there is no desktop (rinmed-cli, benchmarks, tests): no cursor, no
// clipboard, no printer, no programs to open, every dialog cancelled. What a message box becomes
// is the subclass's choice. `Ui` is the window's services interface.
template <class Ui>
class HeadlessDesktop : public Ui {
 public:
  void SetClipboardText(const QString&) override {}
  std::unique_ptr<PrintJob> BeginPrintJob() override {
    throw CoreError(QStringLiteral("既定のプリンターがありません。"));
  }
  void OpenWithDefaultProgram(const QUrl&) override {}
  bool SelectFolder(const QString&, const QString&, QString*) override { return false; }
  bool SelectFile(const QString&, const QString&, QString*) override { return false; }
  QString InputBox(const QString&, const QString&, const QString& defaultText) override {
    return defaultText;
  }
  void ModelsChanged() override {}
  // An error that ends background work is kept in `jobError`.
  void ReportError(std::exception_ptr error) override {
    try {
      std::rethrow_exception(error);
    } catch (const std::exception& e) {
      jobError = QString::fromUtf8(e.what());
    } catch (...) {
      jobError = QStringLiteral("unknown error");
    }
  }

  QString jobError;
};
