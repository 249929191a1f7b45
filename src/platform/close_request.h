#pragma once

#include <functional>

class QObject;

// Calls `stop` when another program asks this one, which has no window, to end in the way of its
// platform: on Windows the WM_CLOSE message to the main thread (what QProcess::terminate and
// taskkill without /F send); elsewhere SIGTERM, which the caller handles itself. The request
// is heard while `owner` lives.
void WhenAskedToClose(QObject* owner, std::function<void()> stop);
