#include "orca_sim.h"

#include <QMutexLocker>
#include <QRegularExpression>
#include <QTimer>
#include <QUrlQuery>

#include "answer_common.h"
#include "answers.h"
#include "demo_catalog.h"
#include "http_server.h"
#include "live_receptions.h"
#include "push_events.h"
#include "push_hub.h"
#include "request_body.h"
#include "sim_state.h"

namespace {

// WebORCA's form with /api in front, and the classic one.
const QStringList kPrefixes{QStringLiteral("/api/api01rv2/"), QStringLiteral("/api01rv2/")};

QString CallName(const QByteArray& path) {
  const QString p = QString::fromUtf8(path);
  for (const QString& prefix : kPrefixes) {
    if (p.startsWith(prefix)) return p.mid(prefix.size());
  }
  return QString();
}

// The classic server's request line: GET or POST of (/rest)?/<ld>/<window>, nothing deeper. Anything else
// is not a request it reads.
bool ClassicRequestLine(const HttpRequest& request, QString* call) {
  static const QRegularExpression form(QStringLiteral("^(?:/rest)?/([^/]+)/([^/]+)/*$"));
  const bool method = request.method.compare("GET", Qt::CaseInsensitive) == 0 ||
                      request.method.compare("POST", Qt::CaseInsensitive) == 0;
  const QRegularExpressionMatch m = form.match(QString::fromUtf8(request.path()));
  if (!method || !m.hasMatch()) return false;
  *call = m.captured(1) == QLatin1String("api01rv2") ? m.captured(2) : QString();
  return true;
}

QString QueryValue(const HttpRequest& request, const QString& name) {
  return QUrlQuery(QString::fromUtf8(request.query())).queryItemValue(name, QUrl::FullyDecoded);
}

QString RecordOf(const QString& call) {
  if (call == QLatin1String("acceptlstv2")) return QStringLiteral("acceptlstreq");
  if (call == QLatin1String("medicalgetv2")) return QStringLiteral("medicalgetreq");
  if (call == QLatin1String("contraindicationcheckv2")) return QStringLiteral("contraindication_checkreq");
  return call.chopped(2) + QStringLiteral("req");  // onlinedruggetv2 → onlinedruggetreq
}

// ORCA's user names are letters, digits, "_" and "-".
bool PlausibleUser(const QString& user) {
  static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_-]+$"));
  return form.match(user).hasMatch();
}

bool IsWebSocketHandshake(const HttpRequest& request) {
  return request.method == "GET" && request.header("Upgrade").compare("websocket", Qt::CaseInsensitive) == 0;
}

HttpAction TextAnswer(int status, const QString& text) {
  HttpAction a = HttpAction::Status(status, text.toUtf8());
  a.headers.append({QByteArray("Content-Type"), QByteArray("text/plain; charset=utf-8")});
  return a;
}

}  // namespace

OrcaSimulator::OrcaSimulator(SimOptions options)
    : options_(std::move(options)),
      seed_(options_.seed.value_or(QRandomGenerator::global()->generate())),
      random_(seed_),
      latencyMs_(options_.latencyMs) {}

DemoData& OrcaSimulator::day(const QDate& date) const {
  auto found = days_.find(date);
  if (found == days_.end()) {
    found = days_.emplace(date, MakeDemoData(date, options_.clinicCode, options_.receptionsToday)).first;
    ReplayChanges(options_.stateFile, date, found->second);
  }
  return found->second;
}

DemoData OrcaSimulator::data(const QDate& today) const {
  QMutexLocker lock(&mutex_);
  return day(today);
}

QDateTime OrcaSimulator::now() const {
  const QDateTime clock = QDateTime::currentDateTime();
  return QDateTime(options_.today.isValid() ? options_.today : clock.date(), clock.time());
}

void OrcaSimulator::attach(HttpServer& server) {
  server.runOnServerThread([this](QObject* owner) {
    if (!options_.classic) hub_ = adoptHub(new PushHub(owner));
    if (options_.pushEverySeconds > 0) {
      auto* timer = new QTimer(owner);
      QObject::connect(timer, &QTimer::timeout, timer, [this] {
        const QList<DemoPatient> cast = DemoPatients();
        receive(cast[pushed_++ % cast.size()].id);
      });
      timer->start(options_.pushEverySeconds * 1000);
    }
  });
}

void OrcaSimulator::attachPush(HttpServer& pushServer) {
  pushServer.runOnServerThread([this](QObject* owner) { pushHub_ = adoptHub(new PushHub(owner)); });
}

PushHub* OrcaSimulator::adoptHub(PushHub* hub) {
  QMutexLocker lock(&hubsMutex_);
  hubs_ << hub;
  // Runs on the hub's thread as it goes; a publish under way on another thread finishes first.
  hubWatches_ << QObject::connect(hub, &QObject::destroyed, [this, hub] {
    QMutexLocker lock(&hubsMutex_);
    hubs_.removeAll(hub);
  });
  return hub;
}

// Normally the servers, and their hubs, go first; a hub that outlives the simulator no longer tells it.
OrcaSimulator::~OrcaSimulator() {
  QMutexLocker lock(&hubsMutex_);
  for (const QMetaObject::Connection& watch : hubWatches_) QObject::disconnect(watch);
}

// Each hub sends on its own thread: directly from there, queued from the other, in publishing order.
void OrcaSimulator::publish(const QJsonObject& event) {
  QMutexLocker lock(&hubsMutex_);
  for (PushHub* hub : hubs_) QMetaObject::invokeMethod(hub, [hub, event] { hub->publish(event); });
}

HttpAction OrcaSimulator::handlePush(const HttpRequest& request) {
  const HttpAction action = request.path() == "/ws" && IsWebSocketHandshake(request)
                                ? pushHandshake(request, pushHub_)
                                : HttpAction::Status(404);
  return action.after(latencyMs_ + jitter());
}

HttpAction OrcaSimulator::pushHandshake(const HttpRequest& request, const QPointer<PushHub>& hub) const {
  if (std::optional<HttpAction> refused = refusal(request)) return *refused;
  return HttpAction::HandOver([hub](QTcpSocket* socket) {
    if (hub) hub->adopt(socket);
  });
}

int OrcaSimulator::jitter() {
  if (options_.jitterMs <= 0) return 0;
  QMutexLocker lock(&mutex_);
  return static_cast<int>(random_.bounded(options_.jitterMs + 1));
}

HttpAction OrcaSimulator::handle(const HttpRequest& request) {
  int wait = 0;
  const HttpAction action = respond(request, &wait);
  return action.after(latencyMs_ + wait + jitter());
}

// The classic server challenges with every 401, wrong credentials included; --no-challenge never does.
std::optional<HttpAction> OrcaSimulator::refusal(const HttpRequest& request) const {
  const HttpAction unauthorized =
      options_.challenge ? HttpAction::BasicChallenge("orca") : HttpAction::Status(401);
  if (request.header("Authorization").trimmed().toLower().startsWith("basic ") == false) return unauthorized;
  QString user, password;
  if (!request.basicCredentials(&user, &password) || !PlausibleUser(user)) return HttpAction::Status(403);
  if (user != options_.user || password != options_.key) return unauthorized;
  return std::nullopt;
}

HttpAction OrcaSimulator::respond(const HttpRequest& request, int* wait) {
  const QByteArray path = request.path();
  if ((path == "/sim/accept" || path == "/sim/account" || path == "/sim/latency") &&
      request.method == "POST") {
    if (std::optional<HttpAction> refused = refusal(request)) return *refused;
    return control(path, request);
  }
  QString call;
  if (options_.classic) {
    // The classic server turns down what its request line does not allow before anything else.
    if (!ClassicRequestLine(request, &call)) return HttpAction::Status(400);
  } else if (path == "/ws" && hub_ && IsWebSocketHandshake(request)) {
    return pushHandshake(request, hub_);
  } else {
    call = CallName(path);
  }

  static const QStringList calls{QStringLiteral("acceptlstv2"),
                                 QStringLiteral("patientgetv2"),
                                 QStringLiteral("onlinedruggetv2"),
                                 QStringLiteral("onlinemedgetv2"),
                                 QStringLiteral("onlinespecgetv2"),
                                 QStringLiteral("medicalgetv2"),
                                 QStringLiteral("contraindicationcheckv2")};
  if (!calls.contains(call)) return HttpAction::Status(404);
  if (std::optional<HttpAction> refused = refusal(request)) return *refused;

  int patient = 0;
  HttpAction action = answer(call, request, &patient);
  for (qsizetype i = 0; i < options_.faults.size(); ++i) {
    const FaultRule& rule = options_.faults.at(i);
    if (!rule.matches(call, QString::fromUtf8(path), patient)) continue;
    if (rule.times > 0) {
      QMutexLocker lock(&mutex_);
      if (faultUses_.size() < options_.faults.size()) faultUses_.resize(options_.faults.size());
      if (faultUses_[i] >= rule.times) continue;
      ++faultUses_[i];
    }
    if (rule.percent > 0) {
      QMutexLocker lock(&mutex_);
      if (static_cast<int>(random_.bounded(100)) >= rule.percent) continue;
    }
    switch (rule.kind) {
      case FaultRule::Status:
        action = HttpAction::Status(rule.value);
        break;
      case FaultRule::Drop:
        action = HttpAction::Close();
        break;
      case FaultRule::Garbage:
        action = HttpAction::Raw("\x01\x02 this is not HTTP \xff\xfe\r\n\r\n");
        break;
      case FaultRule::BadXml:
        action.body.truncate(action.body.size() / 2);
        break;
      case FaultRule::Wait:
        *wait += rule.value;
        break;
    }
  }
  return action;
}

HttpAction OrcaSimulator::control(const QByteArray& path, const HttpRequest& request) {
  const QUrlQuery form(QString::fromUtf8(request.body));
  if (path == "/sim/latency") {
    bool ok = false;
    const int ms = form.queryItemValue(QStringLiteral("MS"), QUrl::FullyDecoded).toInt(&ok);
    if (!ok || ms < 0) return TextAnswer(400, QStringLiteral("MS: expected a number of milliseconds\n"));
    latencyMs_ = ms;
    return TextAnswer(200, QStringLiteral("latency %1 ms\n").arg(ms));
  }
  const QString asked = form.queryItemValue(QStringLiteral("Patient_ID"), QUrl::FullyDecoded);
  const int patient = PatientNumber(asked);
  if (patient == 0) return TextAnswer(400, QStringLiteral("Patient_ID: expected a patient number\n"));
  if (path == "/sim/accept") {
    const std::optional<QString> done = receive(patient);
    return done ? TextAnswer(200, *done)
                : TextAnswer(404, QStringLiteral("no patient %1\n").arg(PaddedPatientId(patient)));
  }
  const QDateTime clock = now();
  QMutexLocker lock(&mutex_);
  DemoData& d = day(clock.date());
  const std::optional<qsizetype> billed = BillLastOpenReception(d, patient, clock.time());
  if (!billed) {
    return TextAnswer(404,
                      QStringLiteral("no reception of %1 in progress today\n").arg(PaddedPatientId(patient)));
  }
  RecordChange(options_.stateFile, clock.date(),
               QStringLiteral("account %1 %2").arg(patient).arg(d.receptions[*billed].accountTime));
  const QJsonObject event = PatientAccountEvent(d, *billed, options_.user, clock);
  const QString text =
      QStringLiteral("billed %1 at %2\n").arg(PaddedPatientId(patient), d.receptions[*billed].accountTime);
  lock.unlock();
  publish(event);
  return TextAnswer(200, text);
}

std::optional<QString> OrcaSimulator::receive(int patient) {
  const QDateTime clock = now();
  QMutexLocker lock(&mutex_);
  DemoData& d = day(clock.date());
  const std::optional<qsizetype> index = AppendReception(d, patient);
  if (!index) return std::nullopt;
  RecordChange(options_.stateFile, clock.date(), QStringLiteral("accept %1").arg(patient));
  const QJsonObject event = PatientAcceptEvent(d, *index, options_.user, clock);
  const QString text = QStringLiteral("received %1 at %2, Acceptance_Id %3\n")
                           .arg(PaddedPatientId(patient), d.receptions[*index].time, AcceptanceId(d, *index));
  lock.unlock();
  publish(event);
  return text;
}

HttpAction OrcaSimulator::answer(const QString& call, const HttpRequest& request, int* patient) const {
  const QDateTime now = this->now();
  const DemoData demo = data(now.date());
  const RequestBody body = ReadRequestBody(request.body, RecordOf(call));
  *patient = PatientNumber(call == QLatin1String("patientgetv2") ? QueryValue(request, QStringLiteral("id"))
                                                                 : body.value(QStringLiteral("Patient_ID")));
  const QString cls = QueryValue(request, QStringLiteral("class"));
  OrcaAnswer a;
  if (call == QLatin1String("acceptlstv2")) {
    a = AnswerAcceptList(demo, cls, body, now);
  } else if (call == QLatin1String("patientgetv2")) {
    a = AnswerPatient(demo, QueryValue(request, QStringLiteral("id")), now);
  } else if (call == QLatin1String("onlinedruggetv2")) {
    a = AnswerOnlineDrug(demo, body, now);
  } else if (call == QLatin1String("onlinemedgetv2")) {
    a = AnswerOnlineMed(demo, body, now);
  } else if (call == QLatin1String("onlinespecgetv2")) {
    a = AnswerOnlineSpec(demo, body, now);
  } else if (call == QLatin1String("contraindicationcheckv2")) {
    a = AnswerContraindication(demo, body, now);
  } else {
    a = AnswerMedical(demo, cls, body, now);
  }
  const QByteArray document =
      a.xmlio2 ? WriteXmlio2(a.root, options_.layout) : WriteRootDocument(a.root, options_.layout);
  return HttpAction::Ok(document, a.contentType ? QByteArray("application/xml") : QByteArray());
}
