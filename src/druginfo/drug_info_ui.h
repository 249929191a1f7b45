#pragma once

#include <QString>
#include <memory>

// What only a desktop can do for the drug-information window. The Qt view implements it with
// widgets; tests record the calls.
enum class MessageKind { Warning, Information, Error };

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

class DrugInfoUi {
 public:
  virtual ~DrugInfoUi() = default;

  // A modal box with the single button OK. "\r\n" in the text is a line break.
  virtual void MessageBox(MessageKind kind, const QString& text) = 0;

  // The hourglass while the window waits for ORCA; calls nest.
  virtual void BeginBusyCursor() = 0;
  virtual void EndBusyCursor() = 0;

  // The control, named by its reference name ("GridPatient"), stops painting until it is resumed
  // and is then repainted completely.
  virtual void SuspendPainting(const QString& control) = 0;
  virtual void ResumePainting(const QString& control) = 0;

  virtual void SetFocus(const QString& control) = 0;

  // Replaces what the clipboard holds with plain text. A desktop without a clipboard keeps
  // nothing.
  virtual void SetClipboardText(const QString& /*text*/) {}
  // Starts a job on the default printer, without a dialog or a job title. Raises CoreError when
  // no printer is available, which is all a desktop without printers can say.
  virtual std::unique_ptr<PrintJob> BeginPrintJob();

  virtual void OpenSettingsWindow() = 0;

  // Hands a file to the desktop's default program for its type and returns at once; whether the
  // program could show it is not reported. A desktop without such programs opens nothing.
  virtual void OpenFileWithDefaultViewer(const QString& /*path*/) {}
};

// The hourglass for the life of a scope, restored also when an error ends the handler.
class BusyCursor {
 public:
  explicit BusyCursor(DrugInfoUi& ui) : ui_(ui) { ui_.BeginBusyCursor(); }
  ~BusyCursor() { ui_.EndBusyCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  DrugInfoUi& ui_;
};

// Painting of one control suspended for the life of a scope; it is repainted completely at the
// end, also when an error ends the handler.
class PaintingSuspended {
 public:
  PaintingSuspended(DrugInfoUi& ui, const QString& control) : ui_(ui), control_(control) {
    ui_.SuspendPainting(control_);
  }
  ~PaintingSuspended() { ui_.ResumePainting(control_); }
  PaintingSuspended(const PaintingSuspended&) = delete;
  PaintingSuspended& operator=(const PaintingSuspended&) = delete;

 private:
  DrugInfoUi& ui_;
  QString control_;
};
