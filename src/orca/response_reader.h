#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Answers are read line by line: ORCA writes each element on a line of its own.

// The answer's lines decoded as UTF-8, byte-order mark and CR dropped.
QStringList ResponseLines(const QByteArray& answer);

// ResponseLines of a dump file; nothing when it does not exist.
std::optional<QStringList> ReadResponseLines(const QString& path);

// `<Name type="string">`, the text whose presence marks a line as holding the element.
QString OpeningTag(const QString& element);

// When the line holds the element: true, and the value — the line without the first opening and
// the first closing tag, trimmed of blanks and control characters, with XML character references
// decoded.
bool ElementValue(const QString& line, const QString& element, QString* value);

// Trims every character up to U+0020 from both ends.
QString TrimBlanksAndControls(const QString& text);

// &amp; &lt; &gt; &quot; &apos; and numeric references; a text without "&" comes back unchanged.
QString DecodeXmlReferences(const QString& text);
