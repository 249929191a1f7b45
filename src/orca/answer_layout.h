#pragma once

#include <QString>
#include <QStringList>

// The answer's elements one per line, whatever layout the server wrote them in: ORCA's classic
// server puts each element on a line of its own, indented two blanks a level; WebORCA's layout is
// not known, and a server may write a whole answer on one line or end its lines with CR LF. The
// blanks between elements go, a value element stands whole on its line (`<Name type="string">value</Name>`,
// its value as written), every other start or end tag and the declaration on a line of their own;
// attributes come double-quoted with one blank before each, an empty element as a start and an end
// tag, CDATA as escaped text, comments not at all. A value that holds a line break runs on over
// lines, as in ORCA's own layout.
QStringList ElementLines(const QString& document);
