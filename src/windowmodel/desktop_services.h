#pragma once

#include <QString>
#include <QUrl>
#include <exception>
#include <memory>

#include "windowmodel/message_kind.h"

// A job on a printer, measured and drawn in the printer's device units (its dots).
class PrintJob {
 public:
  virtual ~PrintJob() = default;
  // ＭＳ ゴシック, or its stand-in where it is not installed.
  virtual void SetFixedPitchFont(int points) = 0;
  virtual int TextHeight(const QString& text) = 0;
  virtual int PageHeight() = 0;
  virtual void TextOut(int x, int y, const QString& text) = 0;
  virtual void NewPage() = 0;
  virtual void EndDoc() = 0;
};

// What only a desktop can do for a window. Each window's services interface extends it; the Qt
// views implement it with widgets and dialogs, tests record the calls and script the answers.
class DesktopServices {
 public:
  virtual ~DesktopServices() = default;

  // A modal box with the single button OK. "\r\n" in the text is a line break.
  virtual void MessageBox(MessageKind kind, const QString& text) = 0;

  // Replaces what the clipboard holds with plain text.
  virtual void SetClipboardText(const QString& text) = 0;
  // Starts a job on the default printer, without a dialog or a job title. Raises CoreError when
  // no printer is available.
  virtual std::unique_ptr<PrintJob> BeginPrintJob() = 0;

  // Hands a file, a web page or a new mail to the desktop's default program for it and returns
  // at once; whether the program could show it is not reported.
  virtual void OpenWithDefaultProgram(const QUrl& target) = 0;

  // A picker of existing folders; false when cancelled. An empty start folder leaves the choice
  // of where to start to the desktop.
  virtual bool SelectFolder(const QString& title, const QString& startFolder, QString* chosen) = 0;
  // A file-open dialog. `filter` pairs descriptions and patterns with "|", patterns within a pair
  // separated by ";" ("Text (*.txt)|*.txt|All (*.*)|*.*"). False when cancelled.
  virtual bool SelectFile(const QString& title, const QString& filter, QString* chosen) = 0;
  // A one-line input box whose text is shown as typed (a certificate's password, for one);
  // cancelling gives the default.
  virtual QString InputBox(const QString& title, const QString& prompt, const QString& defaultText) = 0;

  // Work in the background changed the models; the view shows them soon. (What a handler changes
  // is shown when the handler returns.)
  virtual void ModelsChanged() = 0;
  // An error that ended a piece of background work, shown as the window's error report shows the
  // error that ends a handler.
  virtual void ReportError(std::exception_ptr error) = 0;
};
