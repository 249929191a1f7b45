#pragma once

class QEventLoop;

// Ends the loop when the process is interrupted (SIGINT, Ctrl+C) or asked to stop (SIGTERM), so that a
// command that runs until then can close what it opened and exit normally.
void QuitOnStopSignal(QEventLoop& loop);
