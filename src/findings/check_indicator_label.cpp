#include "findings/check_indicator_label.h"

#include <QMouseEvent>

#include "findings/tone_colour.h"
#include "widgets/ui_fonts.h"

CheckIndicatorLabel::CheckIndicatorLabel(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("LabelMedCheck"));
  // Drawn in its tone wherever it stands: a label inherits the role it paints with from its parent,
  // and a menu bar's children would otherwise paint with the button text colour.
  setForegroundRole(QPalette::WindowText);
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
