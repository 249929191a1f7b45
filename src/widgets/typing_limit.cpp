#include "widgets/typing_limit.h"

#include <QLineEdit>
#include <algorithm>

TypingLimit::TypingLimit(QLineEdit* edit, int maxLength)
    : QValidator(edit),
      edit_(edit),
      maxLength_(maxLength),
      allowed_(std::max<int>(maxLength, edit->text().size())) {
  connect(edit, &QLineEdit::textChanged, this,
          [this](const QString& text) { allowed_ = std::max<int>(maxLength_, text.size()); });
  edit->setValidator(this);
}

void TypingLimit::setText(const QString& text) {
  allowed_ = std::max<int>(maxLength_, text.size());
  edit_->setText(text);
}

// What was typed or pasted ends at the cursor; what does not fit is cut from its end, as a limited
// edit control does.
QValidator::State TypingLimit::validate(QString& input, int& pos) const {
  const qsizetype excess = input.size() - allowed_;
  if (excess <= 0) return Acceptable;
  if (excess > pos) return Invalid;
  input.remove(pos - excess, excess);
  pos -= static_cast<int>(excess);
  return Acceptable;
}
