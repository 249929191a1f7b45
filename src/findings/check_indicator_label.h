#pragma once

#include <QLabel>

#include "medcheck/check_indicator.h"

// The check's outcome as one line of text for free space in a window: its colour by tone, the
// tool tip, and a click (left button) that the window answers by opening the findings.
class CheckIndicatorLabel : public QLabel {
  Q_OBJECT
 public:
  explicit CheckIndicatorLabel(QWidget* parent = nullptr);
  void showIndicator(const CheckIndicator& indicator);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool clickable_ = false;
};
