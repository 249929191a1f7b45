#pragma once

#include <QString>

class QWidget;

// The program's error box for an error that no handler caught: the handler has ended, the
// program goes on. The error is written to the log first ("Error report: <type>: <message>", its
// line breaks as spaces), so that support finds it after the box is gone.
void ShowErrorReport(QWidget* parent, const QString& typeName, const QString& message);

// The log line alone; a log that cannot be written is passed over.
void LogErrorReport(const QString& typeName, const QString& message) noexcept;
