#pragma once

#include <QString>
#include <QStringList>

#include "windowmodel/message_kind.h"

class StringGrid;

// Everything rinmed-cli writes is UTF-8 with LF line ends, whatever the system's code page.
void PrintLine(const QString& line);
void PrintError(const QString& line);
// The text exactly as given, line breaks included, then one LF: what a document holds is shown
// as it is.
void PrintText(const QString& text);

// A box the window would show, as a line on stderr: "警告: " + text (情報, エラー for the others).
void PrintMessage(const UserMessage& message);

// The grid's rows, header row first, cells separated by tabs. A data row without any text (the
// blank row of an empty grid) is left out.
QStringList GridRows(const StringGrid& grid);
