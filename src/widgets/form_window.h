#pragma once

#include <QDialog>
#include <functional>

#include "windowmodel/handler_runner.h"

// What every form of the program shares around its controls: its objectName, caption and font,
// the handler run on the first show and the one run once on closing, and Escape, which closes no
// form. A view derives from it, builds its controls from its table (widgets/control_table.h) and
// shows its logic's models.
class FormWindow : public QDialog {
  Q_OBJECT
 public:
  // Runs a handler of the window's logic, reporting an error that escapes it, and shows the models
  // again unless the handler was dropped.
  void forward(const std::function<void()>& handler,
               HandlerRunner::Policy policy = HandlerRunner::Policy::Always);
  virtual void showModels() = 0;

 public slots:
  void done(int result) override;

 protected:
  FormWindow(QWidget* owner, const QString& name, const QString& caption, ErrorReport errorReport);

  virtual void opened() = 0;   // on the first show
  virtual void closing() = 0;  // once, whatever closes the window

  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  HandlerRunner runner_;
  bool shown_ = false;
  bool closed_ = false;
};
