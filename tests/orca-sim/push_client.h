#pragma once

#include <QJsonObject>
#include <QList>
#include <QUrl>
#include <QWebSocket>

// A client of orca-sim's push endpoint, run from the test's own thread (the server has its own).
// Every wait ends after ten seconds at most: tests assert on what arrived, never on how fast.
class PushClient {
 public:
  static const QByteArray kGoodAuthorization;  // Basic ormaster:ormaster

  // Opens the WebSocket with these credentials and the tenant header ORCA's clients send; true once it is
  // open, false when the handshake failed.
  bool open(const QUrl& url, const QByteArray& authorization = kGoodAuthorization);
  void send(const QString& text);
  void subscribe(const QString& event, const QString& requestId);
  // Waits until `count` frames have come in all; every frame so far, each text frame read as JSON.
  QList<QJsonObject> frames(int count);
  bool pingAnswered();

 private:
  template <typename Done>
  void waitUntil(Done done);

  QWebSocket socket_;
  QList<QJsonObject> frames_;
  bool listening_ = false;
};

// "command", and for events also the event's name and patient: "event patient_accept 00005".
QString Summary(const QJsonObject& frame);
