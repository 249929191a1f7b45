#include "scripted_orca.h"

#include <QRegularExpression>

#include "core/ini_file.h"

ScriptedOrca::ScriptedOrca()
    : server_(std::make_unique<HttpServer>([this](const HttpRequest& r) { return respond(r); })) {
  server_->listen();
}

QString ScriptedOrca::baseUrl() const {
  return QStringLiteral("http://127.0.0.1:%1/api/").arg(server_->port());
}

void ScriptedOrca::configure() const {
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("URL"), baseUrl());
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("APIUSER"), QStringLiteral("ormaster"));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("APIKEY"), QStringLiteral("secret"));
  // It has no push endpoint: a window's push link stays off instead of knocking at /ws, and the
  // requests recorded are the API's alone.
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSH"), QStringLiteral("0"));
}

void ScriptedOrca::answer(const QString& apiPath, const HttpAction& action, const QString& patientId) {
  QMutexLocker lock(&mutex_);
  answers_.insert(patientId.isEmpty() ? apiPath : apiPath + QStringLiteral(" #") + patientId, action);
}

void ScriptedOrca::answerWhenBodyHolds(const QString& apiPath, const QByteArray& text,
                                       const HttpAction& action) {
  QMutexLocker lock(&mutex_);
  bodyAnswers_.append({apiPath, text, action});
}

void ScriptedOrca::setObserver(std::function<void(const HttpRequest&)> observer) {
  QMutexLocker lock(&mutex_);
  observer_ = std::move(observer);
}

void ScriptedOrca::clearAnswers() {
  QMutexLocker lock(&mutex_);
  answers_.clear();
  bodyAnswers_.clear();
}

QString PatientOfBody(const QByteArray& body) {
  static const QRegularExpression id(QStringLiteral("<Patient_ID type=\"string\">([^<]*)</Patient_ID>"));
  const QRegularExpressionMatch m = id.match(QString::fromUtf8(body));
  return m.hasMatch() ? m.captured(1) : QString();
}

namespace {
QString ApiPathOf(const HttpRequest& request) {
  return QString::fromUtf8(request.target).remove(QRegularExpression(QStringLiteral("^/api/")));
}
}  // namespace

HttpAction ScriptedOrca::respond(const HttpRequest& request) {
  const QString path = ApiPathOf(request);
  const QString patient = PatientOfBody(request.body);
  QMutexLocker lock(&mutex_);
  if (observer_) observer_(request);
  for (const BodyAnswer& b : std::as_const(bodyAnswers_)) {
    if (b.apiPath == path && request.body.contains(b.text)) return b.action;
  }
  if (!patient.isEmpty()) {
    const auto perPatient = answers_.constFind(path + QStringLiteral(" #") + patient);
    if (perPatient != answers_.cend()) return *perPatient;
  }
  const auto any = answers_.constFind(path);
  return any != answers_.cend() ? *any : HttpAction::Status(404);
}

QStringList ScriptedOrca::requestedPaths() const {
  QStringList paths;
  for (const HttpRequest& r : server_->requests()) {
    const QString patient = PatientOfBody(r.body);
    paths << (patient.isEmpty() ? ApiPathOf(r) : ApiPathOf(r) + QStringLiteral(" #") + patient);
  }
  return paths;
}

QByteArray AcceptanceAnswer(const QList<AnswerReception>& receptions) {
  QString xml = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xmlio2>\n  <acceptlstres type=\"record\">\n"
      "    <Api_Result type=\"string\">00</Api_Result>\n    <Acceptlst_Information type=\"array\">\n");
  int n = 0;
  for (const AnswerReception& r : receptions) {
    xml += QStringLiteral("      <Acceptlst_Information_child type=\"record\">\n");
    xml += QStringLiteral("        <Acceptance_Id type=\"string\">%1</Acceptance_Id>\n")
               .arg(++n, 5, 10, QLatin1Char('0'));
    if (!r.accountTime.isEmpty()) {
      xml += QStringLiteral("        <Account_Time type=\"string\">%1</Account_Time>\n").arg(r.accountTime);
    }
    xml += QStringLiteral("        <Patient_Information type=\"record\">\n");
    xml += QStringLiteral("          <Patient_ID type=\"string\">%1</Patient_ID>\n").arg(r.patientId);
    xml += QStringLiteral("          <WholeName type=\"string\">%1</WholeName>\n").arg(r.name);
    xml += QStringLiteral("        </Patient_Information>\n      </Acceptlst_Information_child>\n");
  }
  xml += QStringLiteral("    </Acceptlst_Information>\n  </acceptlstres>\n</xmlio2>\n");
  return xml.toUtf8();
}
