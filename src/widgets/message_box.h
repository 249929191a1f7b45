#pragma once

#include <QString>

#include "windowmodel/message_kind.h"

class QWidget;

// A modal box with the single button OK, titled 警告, 情報 or エラー after its kind; "\r\n" in the
// text is a line break.
void ShowMessageBox(QWidget* parent, MessageKind kind, const QString& text);
