#pragma once

// The WebSocket to ORCA's push notifications, kept alive while a window shows a day's receptions.
//
// A window owns one PushLink and one LiveReload (live_reload.h):
//   link.start(ReadPushTarget());       // when it opens, and again after the settings changed
//   live.attach(link);                   // events and reconnections become reloads of the list
//   link.stop();                         // when it closes
// The link never shows a message box; it writes one log line per change of its state.

#include <QObject>
#include <QPointer>
#include <QStringList>

#include "orca/cert_store.h"
#include "push/push_frames.h"
#include "push/push_status.h"
#include "push/push_target.h"
#include "push/reconnect_delay.h"

class QTimer;
class QWebSocket;

struct PushTimings {
  int pingMs = 10000;       // a ping this often while the socket is open
  int silenceMs = 30000;    // no pong for this long (or no subscription this long after opening): dead
  int firstRetryMs = 1000;  // the pause after a failure, doubled after each further one
  int maxRetryMs = 5 * 60000;
};

class PushLink : public QObject {
  Q_OBJECT
 public:
  explicit PushLink(QObject* parent = nullptr);
  ~PushLink() override;

  void setTimings(const PushTimings& timings);
  // The client certificates presented over wss://, the user's store unless a test names another.
  void setCertStore(const ClientCertStore& store) { certStore_ = store; }

  // Connects (again) to the target and subscribes to reception and billing events, retrying after
  // every failure until stop(). A target turned off or without an address leaves the link off.
  void start(const PushTarget& target);
  // Closes the socket and gives up retrying.
  void stop();

  const PushStatus& status() const { return status_; }
  // A socket that stop() closed is still saying goodbye to the server.
  bool closing() const { return !closing_.isNull(); }

 signals:
  void statusChanged(const PushStatus& status);
  // Subscribed anew: whatever changed while the link was down was not replayed, so the list is read once.
  void reloadWanted();
  // A reception or billing event, with the day whose list it changes.
  void eventArrived(const PushEvent& event);

 private:
  void connectNow();
  void opened();
  void received(const QString& text);
  void subscribed(const QString& requestId);
  void fail(const QString& reason);
  void closeSocket(bool polite);
  void setStatus(PushState state, const QString& reason, int retryInMs = 0);
  void log(const QString& text) const;

  PushTarget target_;
  PushTimings timings_;
  ClientCertStore certStore_;
  ReconnectDelay delay_;
  PushStatus status_;
  QWebSocket* socket_ = nullptr;
  QPointer<QWebSocket> closing_;
  QStringList sslErrors_;    // of the attempt under way
  QStringList unconfirmed_;  // subscriptions the server has not confirmed yet
  QTimer* ping_;
  QTimer* silence_;
  QTimer* retry_;
};
