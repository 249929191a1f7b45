#pragma once

#include <QString>
#include <QUrl>

class QWidget;

// The desktop's own dialogs and programs, as every window uses them.

// A picker of existing folders; false when cancelled.
bool SelectFolderDialog(QWidget* parent, const QString& title, const QString& startFolder, QString* chosen);
// A file-open dialog with a filter of "description|patterns" pairs; false when cancelled.
bool SelectFileDialog(QWidget* parent, const QString& title, const QString& filter, QString* chosen);
// A one-line input box; the text is shown as typed, not masked, so that a long certificate
// password can be checked by eye. Cancelling gives the default.
QString InputBoxDialog(QWidget* parent, const QString& title, const QString& prompt,
                       const QString& defaultText);

// The hourglass over the whole program; calls nest.
void BeginBusyCursorOverProgram();
void EndBusyCursorOverProgram();

void SetClipboardPlainText(const QString& text);
// The desktop starts the program and returns at once; a failure there is not ours to report.
void OpenWithDesktop(const QUrl& target);
