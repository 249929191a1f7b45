#include "widgets/control_table.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTableWidget>

#include "widgets/grid_view.h"
#include "widgets/typing_limit.h"

namespace {

QWidget* Create(QWidget* parent, std::monostate) {
  return new QWidget(parent);
}

QWidget* Create(QWidget* parent, const PanelModel* model) {
  auto* panel = new QWidget(parent);
  panel->setFixedHeight(model->height);
  return panel;
}

QWidget* Create(QWidget* parent, const LabelModel*) {
  return new QLabel(parent);
}

QWidget* Create(QWidget* parent, const ButtonModel*) {
  auto* button = new QPushButton(parent);
  button->setAutoDefault(false);  // Enter belongs to the field being typed in, not to a default button
  return button;
}

QWidget* Create(QWidget* parent, const RadioButtonModel*) {
  return new QRadioButton(parent);
}

QWidget* Create(QWidget* parent, const EditModel* model) {
  auto* edit = new QLineEdit(parent);
  if (model->maxLength < edit->maxLength()) new TypingLimit(edit, model->maxLength);
  return edit;
}

QWidget* Create(QWidget* parent, const ComboBoxModel* model) {
  auto* combo = new QComboBox(parent);
  combo->addItems(model->items);
  return combo;
}

QWidget* Create(QWidget* parent, const MemoModel*) {
  return new QPlainTextEdit(parent);
}

QWidget* Create(QWidget* parent, const StringGrid*) {
  auto* table = new QTableWidget(parent);
  SetUpGridTable(table);
  return table;
}

void Arrange(QWidget* widget, QWidget* panel, const Place& place) {
  if (place.align == Place::None) {
    if (place.width > 0)
      widget->setGeometry(place.x, place.y, place.width, place.height);
    else
      widget->move(place.x, place.y);
    return;
  }
  // The first aligned control sets the panel's direction; a look may have given it its layout.
  auto* line = qobject_cast<QBoxLayout*>(panel->layout());
  if (!line) {
    line = place.align == Place::Left ? static_cast<QBoxLayout*>(new QHBoxLayout(panel))
                                      : new QVBoxLayout(panel);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(0);
  }
  if (place.align == Place::Top && place.height > 0) widget->setFixedHeight(place.height);
  if (place.align == Place::Left) widget->setFixedWidth(place.width);
  line->addWidget(widget, place.align == Place::Fill ? 1 : 0);
}

void Show(QWidget*, const Place&, std::monostate) {}

// The height of a panel that follows its content is its view's to work out.
void Show(QWidget*, const Place&, const PanelModel*) {}

void Show(QWidget* widget, const Place& place, const LabelModel* model) {
  ShowLabel(static_cast<QLabel*>(widget), *model, place.align == Place::None && place.width == 0);
}

void Show(QWidget* widget, const Place&, const ButtonModel* model) {
  auto* button = static_cast<QPushButton*>(widget);
  if (button->text() != model->caption) button->setText(model->caption);
  button->setVisible(model->visible);
  button->setEnabled(model->enabled);
}

void Show(QWidget* widget, const Place&, const RadioButtonModel* model) {
  auto* radio = static_cast<QRadioButton*>(widget);
  radio->setText(model->caption);
  // Buttons of one group can all be off (nothing chosen yet), which exclusive buttons would not allow.
  radio->setAutoExclusive(false);
  radio->setChecked(model->checked);
  radio->setAutoExclusive(true);
}

void Show(QWidget* widget, const Place&, const EditModel* model) {
  auto* edit = static_cast<QLineEdit*>(widget);
  if (edit->text() != model->text) {
    if (auto* limit = qobject_cast<TypingLimit*>(const_cast<QValidator*>(edit->validator())))
      limit->setText(model->text);  // a stored value longer than the limit stays whole
    else
      edit->setText(model->text);
  }
  edit->setVisible(model->visible);
  edit->setAttribute(Qt::WA_InputMethodEnabled, model->imeMode != ImeMode::Closed);
}

void Show(QWidget* widget, const Place&, const ComboBoxModel* model) {
  auto* combo = static_cast<QComboBox*>(widget);
  if (combo->currentIndex() != model->itemIndex) combo->setCurrentIndex(model->itemIndex);
}

void Show(QWidget* widget, const Place&, const MemoModel* model) {
  auto* memo = static_cast<QPlainTextEdit*>(widget);
  const QString text = model->lines.join(QLatin1Char('\n'));
  if (memo->toPlainText() != text) memo->setPlainText(text);
  memo->setReadOnly(model->readOnly);
}

void Show(QWidget* widget, const Place&, const StringGrid* model) {
  ShowStringGrid(static_cast<QTableWidget*>(widget), *model);
}

}  // namespace

namespace control_widgets {

QWidget* Create(QWidget* panel, const Place& place, ModelRef model) {
  QWidget* widget = std::visit([panel](auto m) { return ::Create(panel, m); }, model);
  Arrange(widget, panel, place);
  return widget;
}

void Show(QWidget* widget, const Place& place, ModelRef model) {
  std::visit([&](auto m) { ::Show(widget, place, m); }, model);
}

void Refuse(const char* name, const QString& why) {
  throw std::logic_error((QString::fromLatin1(name) + QLatin1Char(' ') + why).toStdString());
}

}  // namespace control_widgets

void ShowLabel(QLabel* label, const LabelModel& model, bool fitText) {
  if (label->text() != model.text) {
    label->setText(model.text);
    if (fitText) label->adjustSize();
  }
  if (label->toolTip() != model.toolTip) label->setToolTip(model.toolTip);
  label->setVisible(model.visible);
}
