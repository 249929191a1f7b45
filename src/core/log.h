#pragma once

#include <QString>

// The log file's path, resolved anew for every line: the LOG key of section FIRST when its folder
// exists on a present volume, otherwise Log.txt in the program's folder.
QString GetLogTxt();

// Appends "<timestamp> <text>" and CR LF to the file, creating it when needed. The text is written
// in the system code page. Raises CoreError when the file can be neither opened nor created.
void WrtLog(const QString& fileName, const QString& text);
