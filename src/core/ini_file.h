#pragma once

#include <QString>

// user.ini in the program's folder, read and written key by key with the rules of the Windows
// profile-string functions: names match without regard to case, values come back trimmed and cut
// at 2047 characters, a key is replaced where it stands, a new key goes to the end of its section
// and a new section to the end of the file. The file is never cached: every call reads it anew.
QString IniFilePath();
QString IFReadIniStr(const QString& section, const QString& key, const QString& defaultValue);
// Raises CoreError "<path> に書き込めません" when the file cannot be written.
void IFWriteIniStr(const QString& section, const QString& key, const QString& value);

// The same rules on any file; the functions above use user.ini.
QString ReadProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& defaultValue);
// The reading rules on the file's text, already decoded.
QString ReadProfileStringFromText(const QString& text, const QString& section, const QString& key,
                                  const QString& defaultValue);
void WriteProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value);
