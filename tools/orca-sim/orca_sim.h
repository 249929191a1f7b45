#pragma once

#include <QDate>
#include <QDateTime>
#include <QJsonObject>
#include <QList>
#include <QMutex>
#include <QPointer>
#include <QRandomGenerator>
#include <QString>
#include <atomic>
#include <map>
#include <optional>

#include "demo_data.h"
#include "fault_rule.h"
#include "http_message.h"
#include "xml_tree.h"

class HttpServer;
class PushHub;

struct SimOptions {
  QString host = QStringLiteral("127.0.0.1");
  int port = 8000;
  QString user = QStringLiteral("ormaster");
  QString key = QStringLiteral("ormaster");
  int latencyMs = 0;
  int jitterMs = 0;             // every answer waits a further random 0…jitterMs
  std::optional<quint32> seed;  // of that randomness; none: a random seed
  XmlLayout layout = XmlLayout::Classic;
  bool challenge = true;  // false: every 401 without WWW-Authenticate
  QString clinicCode = QStringLiteral("1234567");
  QDate today;               // null: the computer's date, looked at on every request
  int receptionsToday = -1;  // -1: the demo day's own list
  int pushEverySeconds = 0;  // > 0: a demo reception arrives by itself this often
  QList<FaultRule> faults;
  QString tlsCert, tlsKey, clientCa;
  bool classic = false;         // ORCA's classic HTTP server: no /api/ paths and no /ws on the API port
  std::optional<int> pushPort;  // also serve /ws on this port (0: a free one), as ORCA 5.2's pusher
  QString stateFile;            // receptions made and billed are kept here, and read again at start
};

// The request handling of orca-sim, apart from the listening socket so that tests run it in-process.
// The handler is called on the server's thread; the demo data of each day is made once, and changes only
// through the control calls and --push-every.
class OrcaSimulator {
 public:
  explicit OrcaSimulator(SimOptions options);
  ~OrcaSimulator();
  HttpAction handle(const HttpRequest& request);
  DemoData data(const QDate& today) const;
  // Opens the push endpoint (/ws) and starts --push-every, both on the server's thread. Call it before
  // the server listens; without it /ws is an unknown path.
  void attach(HttpServer& server);
  // The second port's server, which serves /ws alone: give it handlePush() as its handler and attach
  // it before it listens. Events go to the subscribers of both ports.
  void attachPush(HttpServer& pushServer);
  HttpAction handlePush(const HttpRequest& request);
  quint32 seed() const { return seed_; }  // of the jitter, chosen at random when the options name none

 private:
  HttpAction respond(const HttpRequest& request, int* wait);
  HttpAction pushHandshake(const HttpRequest& request, const QPointer<PushHub>& hub) const;
  void publish(const QJsonObject& event);
  PushHub* adoptHub(PushHub* hub);
  HttpAction answer(const QString& call, const HttpRequest& request, int* patient) const;
  std::optional<HttpAction> refusal(const HttpRequest& request) const;
  HttpAction control(const QByteArray& path, const HttpRequest& request);
  // Receives the patient today and pushes the event; the reception's summary, or nothing when unknown.
  std::optional<QString> receive(int patient);
  QDateTime now() const;
  DemoData& day(const QDate& date) const;  // with mutex_ held
  int jitter();

  SimOptions options_;
  mutable QMutex mutex_;
  QList<int> faultUses_;  // per fault rule: the requests it applied to so far (with mutex_ held)
  mutable std::map<QDate, DemoData> days_;
  quint32 seed_ = 0;
  QRandomGenerator random_;
  QPointer<PushHub> hub_;      // lives on the API server's thread, where handle() and the push timer run
  QPointer<PushHub> pushHub_;  // on the push server's thread
  QMutex hubsMutex_;
  QList<PushHub*> hubs_;  // every hub still alive, whichever thread it is on
  QList<QMetaObject::Connection> hubWatches_;
  int pushed_ = 0;              // demo receptions --push-every has made
  std::atomic<int> latencyMs_;  // --latency, changed by /sim/latency
};
