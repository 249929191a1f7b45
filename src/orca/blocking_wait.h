#pragma once

class QNetworkReply;

// Requests are synchronous for their caller, but the window must keep painting: these waits run
// a local event loop that leaves user input unprocessed until they return.

// Waits until the reply finishes or no data has moved for `idleTimeoutMs`; true on a time-out,
// after which the reply has been aborted.
bool WaitForReply(QNetworkReply* reply, int idleTimeoutMs);

void PauseMs(int ms);
