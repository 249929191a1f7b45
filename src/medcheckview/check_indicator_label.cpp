#include "medcheckview/check_indicator_label.h"

#include <QMouseEvent>

#include "medcheckview/tone_colour.h"
#include "widgets/ui_fonts.h"

CheckIndicatorLabel::CheckIndicatorLabel(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("LabelMedCheck"));
  QFont font = ProportionalUiFont(12);
  font.setBold(true);
  setFont(font);
  showIndicator(IdleIndicator());
}

void CheckIndicatorLabel::showIndicator(const CheckIndicator& indicator) {
  setText(indicator.text);
  setToolTip(indicator.toolTip);
  QPalette colours = palette();
  const QColor tone = ToneColour(indicator.tone);
  colours.setColor(QPalette::WindowText, tone.isValid() ? tone : QPalette().color(QPalette::WindowText));
  setPalette(colours);
  clickable_ = indicator.opensFindings;
  if (clickable_) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
}

void CheckIndicatorLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (clickable_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}
