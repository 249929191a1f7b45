#pragma once

#include <QByteArray>
#include <cstdio>

// Text written to stdout and stderr goes out as written: UTF-8 with LF line ends. On Windows the
// console is told so (its output code page is otherwise the system's, 932 on a Japanese Windows)
// and the C runtime does not turn LF into CR LF; a pipe or a file takes the bytes as they are.
void UseUtf8Console();

// Writes UTF-8 text to the stream: on a Windows console as its characters (WriteConsoleW, which
// does not depend on the console's code page), everywhere else as the bytes.
void WriteUtf8(std::FILE* stream, const QByteArray& utf8);
