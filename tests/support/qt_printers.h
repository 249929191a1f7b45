#pragma once

#include <QString>
#include <ostream>

// Readable failures for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
