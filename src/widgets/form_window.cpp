#include "widgets/form_window.h"

#include <QKeyEvent>

#include "widgets/ui_fonts.h"

FormWindow::FormWindow(QWidget* owner, const QString& name, const QString& caption, ErrorReport errorReport)
    : QDialog(owner), runner_(std::move(errorReport)) {
  setObjectName(name);
  setWindowTitle(caption);
  setFont(ProportionalUiFont(12));
}

void FormWindow::forward(const std::function<void()>& handler, HandlerRunner::Policy policy) {
  if (runner_.run(handler, policy)) showModels();
}

void FormWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  opened();
}

void FormWindow::done(int result) {
  if (!closed_) {
    closed_ = true;
    closing();
  }
  QDialog::done(result);
}

// A form closes by its close box or its own button; Escape does not close it.
void FormWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
}
