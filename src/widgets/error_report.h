#pragma once

#include <QString>

class QWidget;

// The program's error box for an error that no handler caught: the handler has ended, the
// program goes on.
void ShowErrorReport(QWidget* parent, const QString& typeName, const QString& message);
