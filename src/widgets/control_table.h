#pragma once

#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <span>
#include <stdexcept>
#include <type_traits>
#include <variant>
#include <vector>

#include "widgets/form_window.h"
#include "windowmodel/control_models.h"
#include "windowmodel/string_grid.h"

class QLabel;

// Where a control stands on its panel: at a place of its own, or aligned as a form's controls
// are, one after the other down the panel's left or top and the last filling the rest.
struct Place {
  enum Align { None, Top, Left, Fill } align = None;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};
// At x, y and of the size given; without a size, as large as its text.
constexpr Place At(int x, int y, int width = 0, int height = 0) {
  return {Place::None, x, y, width, height};
}
// Below the controls above it, as high as given (a panel model's height when none is).
constexpr Place Top(int height = 0) {
  return {Place::Top, 0, 0, 0, height};
}
// Right of the controls left of it, as wide as given.
constexpr Place Left(int width) {
  return {Place::Left, 0, 0, width, 0};
}
// What the controls before it leave of the panel.
constexpr Place Fill() {
  return {Place::Fill};
}

// One control of a window. Its model decides the widget: none or a PanelModel a panel, LabelModel
// a label, ButtonModel a push button, RadioButtonModel a radio button, EditModel a line edit,
// ComboBoxModel a drop-down list, MemoModel a plain text box, StringGrid a table.
template <class Controls, class Logic>
struct Control {
  using Model = std::variant<std::monostate, PanelModel Controls::*, LabelModel Controls::*,
                             ButtonModel Controls::*, RadioButtonModel Controls::*, EditModel Controls::*,
                             ComboBoxModel Controls::*, MemoModel Controls::*, StringGrid Controls::*>;
  const char* name;   // the widget's objectName
  const char* panel;  // the objectName of the panel it stands on; null: the window
  Place place;
  Model model{};
  void (Logic::*handler)() = nullptr;  // run by a click, a radio button checked, a choice in a list
  void (*look)(QWidget*) = nullptr;    // what it has beyond the window's font and the model
};

// The widget of each kind of model, built, placed and shown the same way in every window.
namespace control_widgets {
using ModelRef = std::variant<std::monostate, const PanelModel*, const LabelModel*, const ButtonModel*,
                              const RadioButtonModel*, const EditModel*, const ComboBoxModel*,
                              const MemoModel*, const StringGrid*>;
QWidget* Create(QWidget* panel, const Place& place, ModelRef model);
void Show(QWidget* widget, const Place& place, ModelRef model);
[[noreturn]] void Refuse(const char* name, const QString& why);
}  // namespace control_widgets

// A label that shows its model; one placed without a size takes the size of each new text.
void ShowLabel(QLabel* label, const LabelModel& model, bool fitText = false);

// The controls of a window, built from its table in the table's order (which is the tab order),
// each event connected to its handler through the window and each model shown on showModels().
// A table that names a panel not built before the control on it, names a control twice or gives
// a handler to a control that has no event for one is refused with std::logic_error as the
// window is built, as is a look-up of a model that no control shows.
template <class Controls, class Logic>
class ControlTable {
 public:
  using Row = Control<Controls, Logic>;

  ControlTable(FormWindow& window, Logic& logic, std::span<const Row> rows) : window_(window), logic_(logic) {
    QHash<QString, QWidget*> built;
    for (const Row& row : rows) {
      const QString name = QString::fromLatin1(row.name);
      if (built.contains(name)) control_widgets::Refuse(row.name, QStringLiteral("is named twice"));
      QWidget* panel = &window;
      if (row.panel) {
        panel = built.value(QString::fromLatin1(row.panel));
        if (!panel)
          control_widgets::Refuse(row.name, QStringLiteral("stands on %1, which is no control before it")
                                                .arg(QString::fromLatin1(row.panel)));
      }
      QWidget* widget = control_widgets::Create(panel, row.place, model(row));
      widget->setObjectName(name);
      if (row.look) row.look(widget);
      std::visit([&](auto member) { connect(widget, row, member); }, row.model);
      built.insert(name, widget);
      controls_.push_back({row, widget});
    }
  }

  void show() const {
    for (const auto& [row, widget] : controls_) control_widgets::Show(widget, row.place, model(row));
  }

  // The widget that shows the model, for what a view does beyond the table.
  template <class Widget, class Model>
  Widget* widget(Model Controls::*member) const {
    for (const auto& [row, built] : controls_) {
      const auto* shown = std::get_if<Model Controls::*>(&row.model);
      if (!shown || *shown != member) continue;
      if (auto* typed = qobject_cast<Widget*>(built)) return typed;
      control_widgets::Refuse(row.name, QStringLiteral("is a %1, not a %2")
                                            .arg(QString::fromLatin1(built->metaObject()->className()),
                                                 QString::fromLatin1(Widget::staticMetaObject.className())));
    }
    throw std::logic_error("no control of the window shows the model asked for");
  }

 private:
  control_widgets::ModelRef model(const Row& row) const {
    return std::visit(
        [this](auto member) -> control_widgets::ModelRef {
          if constexpr (std::is_same_v<decltype(member), std::monostate>)
            return member;
          else
            return &(logic_.controls().*member);
        },
        row.model);
  }

  template <class Member>
  void connect(QWidget* widget, const Row& row, Member member) {
    auto run = [this, handler = row.handler] {
      if (handler) window_.forward([this, handler] { (logic_.*handler)(); });
    };
    if constexpr (std::is_same_v<Member, ButtonModel Controls::*>) {
      QObject::connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, &window_, run);
    } else if constexpr (std::is_same_v<Member, RadioButtonModel Controls::*>) {
      QObject::connect(static_cast<QRadioButton*>(widget), &QRadioButton::clicked, &window_,
                       [run](bool checked) {
                         if (checked) run();
                       });
    } else if constexpr (std::is_same_v<Member, ComboBoxModel Controls::*>) {
      QObject::connect(static_cast<QComboBox*>(widget), &QComboBox::activated, &window_,
                       [this, member, run](int index) {
                         (logic_.controls().*member).itemIndex = index;
                         run();
                       });
    } else {
      if (row.handler) control_widgets::Refuse(row.name, QStringLiteral("has no event to run a handler"));
      if constexpr (std::is_same_v<Member, EditModel Controls::*>) {
        QObject::connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, &window_,
                         [this, member](const QString& text) { (logic_.controls().*member).text = text; });
      }
    }
  }

  struct Built {
    Row row;
    QWidget* widget;
  };
  FormWindow& window_;
  Logic& logic_;
  std::vector<Built> controls_;
};
