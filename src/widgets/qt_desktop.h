#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

#include "widgets/desktop_dialogs.h"
#include "widgets/message_box.h"
#include "widgets/qt_print_job.h"

// The desktop services every window shares, done with Qt widgets, for a window's services
// interface `Ui`. Before a box or a dialog appears the window is brought up to date, so that it
// shows over what the handler has done so far. `runHandler` runs a handler as the window runs its
// event handlers (reporting its errors); a window without background work may leave it out.
template <class Ui>
class QtDesktop : public Ui {
 public:
  using HandlerRun = std::function<void(const std::function<void()>&)>;

  QtDesktop(QWidget* window, std::function<void()> showModels, HandlerRun runHandler = {})
      : window_(window), showModels_(std::move(showModels)), runHandler_(std::move(runHandler)) {}

  // Answers arrive in bursts; the widgets are brought up to date once per turn of the event loop.
  void ModelsChanged() override {
    if (showPending_) return;
    showPending_ = true;
    QTimer::singleShot(0, window_, [this] {
      showPending_ = false;
      showModels_();
    });
  }
  void RunJobEnd(const std::function<void()>& end) override {
    if (runHandler_)
      runHandler_(end);
    else
      end();
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
  HandlerRun runHandler_;
  bool showPending_ = false;
};
