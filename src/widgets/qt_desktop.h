#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "widgets/desktop_dialogs.h"
#include "widgets/message_box.h"
#include "widgets/qt_print_job.h"
#include "windowmodel/handler_runner.h"

// The desktop services every window shares, done with Qt widgets, for a window's services
// interface `Ui`. Before a box or a dialog appears the window is brought up to date, so that it
// shows over what the handler has done so far. An error that ended background work goes to the
// window's error report, as one that ends a handler does.
template <class Ui>
class QtDesktop : public Ui {
 public:
  QtDesktop(QWidget* window, std::function<void()> showModels, ErrorReport errorReport = {})
      : window_(window), showModels_(std::move(showModels)), errorReport_(std::move(errorReport)) {}

  // Answers arrive in bursts; the widgets are brought up to date once per turn of the event loop.
  void ModelsChanged() override {
    if (showPending_) return;
    showPending_ = true;
    QTimer::singleShot(0, window_, [this] {
      showPending_ = false;
      showModels_();
    });
  }
  void ReportError(std::exception_ptr error) override {
    showModels_();
    if (errorReport_) RunReportingErrors([error] { std::rethrow_exception(error); }, errorReport_);
  }

  void MessageBox(MessageKind kind, const QString& text) override {
    showModels_();
    ShowMessageBox(window_, kind, text);
  }
  void SetClipboardText(const QString& text) override { SetClipboardPlainText(text); }
  std::unique_ptr<PrintJob> BeginPrintJob() override { return BeginDefaultPrinterJob(); }
  void OpenWithDefaultProgram(const QUrl& target) override { OpenWithDesktop(target); }
  bool SelectFolder(const QString& title, const QString& startFolder, QString* chosen) override {
    showModels_();
    return SelectFolderDialog(window_, title, startFolder, chosen);
  }
  bool SelectFile(const QString& title, const QString& filter, QString* chosen) override {
    showModels_();
    return SelectFileDialog(window_, title, filter, chosen);
  }
  QString InputBox(const QString& title, const QString& prompt, const QString& defaultText) override {
    showModels_();
    return InputBoxDialog(window_, title, prompt, defaultText);
  }

 protected:
  QWidget* window_;
  std::function<void()> showModels_;
  ErrorReport errorReport_;
  bool showPending_ = false;
};
