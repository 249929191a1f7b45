#pragma once

#include <QString>

// What only a desktop can do for the drug-information window. The Qt view implements it with
// widgets; tests record the calls.
enum class MessageKind { Warning, Information, Error };

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

  // Shows the settings window modally over this window and returns when it has closed. Until the
  // settings window exists this shows nothing.
  virtual void OpenSettingsWindow() = 0;
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
