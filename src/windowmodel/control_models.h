#pragma once

#include <QString>
#include <QStringList>

// Plain models of the window's controls. The logic changes them; the view shows them.

struct LabelModel {
  QString text;
  bool visible = true;
  QString toolTip{};
};

struct ButtonModel {
  QString caption;
  bool visible = true;
  bool enabled = true;
};

struct MemoModel {
  QStringList lines;
  bool readOnly = true;
  QString text() const { return lines.join(QStringLiteral("\r\n")); }
  // A memo given a text shows its lines; the line break that ends the last line opens no new one.
  void setText(const QString& text) {
    lines = text.isEmpty() ? QStringList() : text.split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty() && text.endsWith(QStringLiteral("\r\n")))
      lines.removeLast();
  }
};

// The input-method state of a text box: as the user leaves it, closed for numbers, or open in
// Hiragana for names.
enum class ImeMode { Free, Closed, Hiragana };

struct EditModel {
  QString text;
  bool visible = true;
  int maxLength = 32767;  // characters the user can type; a longer text of the program's stays whole
  ImeMode imeMode = ImeMode::Free;
};

struct RadioButtonModel {
  QString caption;
  bool checked = false;
};

struct ComboBoxModel {
  QStringList items;
  int itemIndex = -1;
  QString text() const {
    return itemIndex >= 0 && itemIndex < items.size() ? items.at(itemIndex) : QString();
  }
};

// A panel whose height the logic decides.
struct PanelModel {
  int height = 0;
};

struct TimerModel {
  bool enabled = true;
  int intervalMs = 60000;
};
