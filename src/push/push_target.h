#pragma once

#include <QString>
#include <QUrl>

// Where and as whom the push link connects. A window or rinmed-cli reads it with ReadPushTarget() and
// hands it to PushLink::start(); it reads user.ini anew each time, so a changed setting counts from the
// next start.
struct PushTarget {
  bool enabled = true;  // PUSH=0 turns push notifications off
  QUrl url;             // empty: nothing to connect to (no address configured)
  QString user;         // the API user, sent with the key as Basic authentication
  QString key;
  bool tls12Only = true;  // cloud mode, as the request transport
  bool operator==(const PushTarget&) const = default;
};

// The push address: PUSHURL when it is not blank; in on-premise mode with an address, the API's own
// port (ws://<IPADR>:8000/ws); otherwise the host and port of the cloud URL with /ws, wss:// for
// https:// and ws:// for plain http://. Empty when none of these gives one.
QUrl PushAddress(const QString& pushUrl, const QString& connectionMode, const QString& serverAddress,
                 const QString& apiUrl);

// PUSH: only "0" turns push off.
bool PushEnabled(const QString& pushSetting);

PushTarget ReadPushTarget();
