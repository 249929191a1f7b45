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

// The arrow with the hourglass over the window while work runs in the background: the window still
// takes input. Setting the same state again changes nothing.
void ShowWorkingCursor(QWidget* window, bool working);

void SetClipboardPlainText(const QString& text);
// The desktop starts the program and returns at once; a failure there is not ours to report.
void OpenWithDesktop(const QUrl& target);
