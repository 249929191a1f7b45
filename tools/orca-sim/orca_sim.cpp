#include "orca_sim.h"

#include <QMutexLocker>
#include <QRegularExpression>
#include <QUrlQuery>

#include "answer_common.h"
#include "answers.h"
#include "request_body.h"

namespace {

const QStringList kPrefixes{QStringLiteral("/api/api01rv2/"), QStringLiteral("/api01rv2/")};

QString CallName(const QByteArray& path) {
  const QString p = QString::fromUtf8(path);
  for (const QString& prefix : kPrefixes) {
    if (p.startsWith(prefix)) return p.mid(prefix.size());
  }
  return QString();
}

QString QueryValue(const HttpRequest& request, const QString& name) {
  return QUrlQuery(QString::fromUtf8(request.query())).queryItemValue(name, QUrl::FullyDecoded);
}

QString RecordOf(const QString& call) {
  if (call == QLatin1String("acceptlstv2")) return QStringLiteral("acceptlstreq");
  if (call == QLatin1String("medicalgetv2")) return QStringLiteral("medicalgetreq");
  return call.chopped(2) + QStringLiteral("req");  // onlinedruggetv2 → onlinedruggetreq
}

// ORCA's user names are letters, digits, "_" and "-".
bool PlausibleUser(const QString& user) {
  static const QRegularExpression form(QStringLiteral("^[A-Za-z0-9_-]+$"));
  return form.match(user).hasMatch();
}

}  // namespace

OrcaSimulator::OrcaSimulator(SimOptions options)
    : options_(std::move(options)),
      seed_(options_.seed.value_or(QRandomGenerator::global()->generate())),
      random_(seed_) {}

DemoData& OrcaSimulator::day(const QDate& date) const {
  auto found = days_.find(date);
  if (found == days_.end()) {
    found = days_.emplace(date, MakeDemoData(date, options_.clinicCode, options_.receptionsToday)).first;
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

int OrcaSimulator::jitter() {
  if (options_.jitterMs <= 0) return 0;
  QMutexLocker lock(&mutex_);
  return static_cast<int>(random_.bounded(options_.jitterMs + 1));
}

HttpAction OrcaSimulator::handle(const HttpRequest& request) {
  int wait = 0;
  const HttpAction action = respond(request, &wait);
  return action.after(options_.latencyMs + wait + jitter());
}

std::optional<HttpAction> OrcaSimulator::refusal(const HttpRequest& request) const {
  if (request.header("Authorization").trimmed().toLower().startsWith("basic ") == false) {
    return HttpAction::BasicChallenge("orca");
  }
  QString user, password;
  if (!request.basicCredentials(&user, &password) || !PlausibleUser(user)) return HttpAction::Status(403);
  if (user != options_.user || password != options_.key) return HttpAction::Status(401);
  return std::nullopt;
}

HttpAction OrcaSimulator::respond(const HttpRequest& request, int* wait) {
  const QByteArray path = request.path();
  static const QStringList calls{QStringLiteral("acceptlstv2"),     QStringLiteral("patientgetv2"),
                                 QStringLiteral("onlinedruggetv2"), QStringLiteral("onlinemedgetv2"),
                                 QStringLiteral("onlinespecgetv2"), QStringLiteral("medicalgetv2")};
  const QString call = CallName(path);
  if (!calls.contains(call)) return HttpAction::Status(404);
  if (std::optional<HttpAction> refused = refusal(request)) return *refused;

  int patient = 0;
  HttpAction action = answer(call, request, &patient);
  for (const FaultRule& rule : options_.faults) {
    if (!rule.matches(call, QString::fromUtf8(path), patient)) continue;
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
  } else {
    a = AnswerMedical(demo, cls, body, now);
  }
  const QByteArray document =
      a.xmlio2 ? WriteXmlio2(a.root, options_.layout) : WriteRootDocument(a.root, options_.layout);
  return HttpAction::Ok(document, a.contentType ? QByteArray("application/xml") : QByteArray());
}
