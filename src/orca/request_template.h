#pragma once

#include <QString>

// Request bodies are fixed one-line templates; a value replaces the first occurrence of its
// placeholder word ("YYYY-MM-DD", "YYYY-MM", "XXXXX", "RR") as it is, without escaping.
QString FillTemplate(const QString& templ, const QString& placeholder, const QString& value);

// A value placed between tags: "&", "<" and ">" escaped, so that no patient number or code taken
// from a file or an answer can change the request's structure. Ordinary values are unchanged.
QString EscapeXmlText(const QString& text);
