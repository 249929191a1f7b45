#pragma once

class QEventLoop;

// Ends the loop when the process is interrupted (SIGINT, Ctrl+C) or asked to stop (SIGTERM; on
// Windows the WM_CLOSE that QProcess::terminate and taskkill send), so that a command that runs
// until then can close what it opened and exit normally.
void QuitOnStopSignal(QEventLoop& loop);
