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
// https:// and ws:// for plain http://. Empty when none of these gives one. A server that wants
// the classic form of the API path is an ORCA without WebORCA, whose pusher listens on its own
// port: ws://<host>:9400/ws, the host being the one the requests go to.
QUrl PushAddress(const QString& pushUrl, const QString& connectionMode, const QString& serverAddress,
                 const QString& apiUrl, bool classicApi = false);

// PUSH: only "0" turns push off.
bool PushEnabled(const QString& pushSetting);

// `classicApi`: the requests to the server go to ORCA's classic path (OrcaClient::usesClassicForm).
PushTarget ReadPushTarget(bool classicApi = false);
