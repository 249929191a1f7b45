#pragma once

// Text written to stdout and stderr goes out as written: UTF-8 with LF line ends. On Windows the
// console is told so (its output code page is otherwise the system's, 932 on a Japanese Windows)
// and the C runtime does not turn LF into CR LF; a pipe or a file takes the bytes as they are.
void UseUtf8Console();
