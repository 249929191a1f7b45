#pragma once

#include <QValidator>

class QLineEdit;

// A line edit's limit on typing that, unlike QLineEdit::setMaxLength, never cuts a text the
// program puts there: a stored value longer than the limit is shown and kept whole, and only what
// the user types or pastes stops at the limit (or at the text's length, while that is longer).
// Deleting is always possible.
class TypingLimit : public QValidator {
  Q_OBJECT
 public:
  TypingLimit(QLineEdit* edit, int maxLength);  // installs itself on the edit

  // Shows a text of the program's, whatever its length.
  void setText(const QString& text);

  State validate(QString& input, int& pos) const override;

 private:
  QLineEdit* edit_;
  int maxLength_;
  int allowed_;  // the longest text the user may leave now
};
