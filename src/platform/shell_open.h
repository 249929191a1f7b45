#pragma once

#include <QUrl>

// Hands a file or an address to the desktop, which opens it with the user's default program: a
// PDF in the PDF viewer, a web address in the browser, a mailto: link in the mail program. Does
// not wait for that program. On Windows this is the shell's ShellExecuteW (the file type's
// default action; "open" for an address). Whether the desktop took it: callers do not report a
// refusal.
bool OpenWithShell(const QUrl& target);
