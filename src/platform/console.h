#pragma once

// Text written to stdout and stderr is UTF-8. On Windows the console is told so (its output code
// page is otherwise the system's, 932 on a Japanese Windows); a pipe or a file takes the bytes as
// they are.
void UseUtf8Console();
