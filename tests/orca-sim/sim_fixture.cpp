#include "sim_fixture.h"

#include "async/run_blocking.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include "core/ini_file.h"
#include "orca/connection.h"
#include "orca/response_reader.h"

const QDate SimTest::kToday(2025, 3, 14);

void SimTest::SetUp() {
  TempProgramFolder::SetUp();
  SimOptions options;
  start(options);
}

void SimTest::start(SimOptions options) {
  client_.reset();
  server_.reset();
  pushServer_.reset();
  if (!options.today.isValid()) options.today = kToday;
  sim_ = std::make_unique<OrcaSimulator>(options);
  server_ = std::make_unique<HttpServer>([sim = sim_.get()](const HttpRequest& r) { return sim->handle(r); });
  sim_->attach(*server_);
  ASSERT_TRUE(server_->listen(QHostAddress::LocalHost, 0)) << server_->errorString().toStdString();
  if (options.pushPort) {
    pushServer_ =
        std::make_unique<HttpServer>([sim = sim_.get()](const HttpRequest& r) { return sim->handlePush(r); });
    sim_->attachPush(*pushServer_);
    ASSERT_TRUE(pushServer_->listen(QHostAddress::LocalHost, 0)) << pushServer_->errorString().toStdString();
  }
  IFWriteIniStr("PARAMA", "URL", QString("http://127.0.0.1:%1/api/").arg(server_->port()));
  IFWriteIniStr("PARAMA", "APIUSER", options.user);
  IFWriteIniStr("PARAMA", "APIKEY", options.key);
  client_ = std::make_unique<OrcaClient>();
  client_->setConnection(ReadConnection());
  client_->setTimeoutMs(5000);
}

std::optional<QStringList> SimTest::post(const QString& apiPath, const QString& body) {
  const OrcaAnswer answer = RunBlocking(client_->post(apiPath, body));
  if (!answer.ok()) return std::nullopt;
  return answer.lines();
}

QUrl SimTest::pushUrl() const {
  return QUrl(QString("ws://127.0.0.1:%1/ws").arg(server_->port()));
}

QUrl SimTest::pushPortUrl() const {
  return QUrl(QString("ws://127.0.0.1:%1/ws").arg(pushServer_ ? pushServer_->port() : 0));
}

RawReply SimTest::raw(const QByteArray& method, const QString& path, const QByteArray& body,
                      const QByteArray& authorization) {
  QNetworkAccessManager manager;
  QNetworkRequest request(QUrl(QString("http://127.0.0.1:%1%2").arg(server_->port()).arg(path)));
  if (!authorization.isEmpty()) request.setRawHeader("Authorization", authorization);
  request.setRawHeader("Content-Type", "application/xml");
  QNetworkReply* reply = manager.sendCustomRequest(request, method, body);
  QEventLoop loop;
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(5000, &loop, &QEventLoop::quit);
  loop.exec();
  RawReply r;
  r.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  r.body = reply->readAll();
  r.contentType = reply->rawHeader("Content-Type");
  r.challenge = reply->rawHeader("WWW-Authenticate");
  delete reply;
  return r;
}

QStringList Values(const QStringList& lines, const QString& element) {
  QStringList values;
  for (const QString& line : lines) {
    QString value;
    if (ElementValue(line, element, &value)) values << value;
  }
  return values;
}

QString Body(const QString& record, const QList<QPair<QString, QString>>& fields) {
  QString body = "<data>  <" + record + " type=\"record\">";
  for (const auto& [name, value] : fields)
    body += "    <" + name + " type=\"string\">" + value + "</" + name + ">";
  return body + "  </" + record + "></data>";
}

QString AcceptBody(const QString& date, const QString& department) {
  return Body("acceptlstreq", {{"Acceptance_Date", date}, {"Department_Code", department}});
}

QString ProbeBody(const QString& call, const QString& patient) {
  if (call == "onlinespecgetv2") {
    return Body("onlinespecgetreq",
                {{"Request_Number", "01"}, {"Patient_ID", patient}, {"EffectiveTime", ""}});
  }
  return Body(call.chopped(2) + "req",
              {{"Request_Number", "01"}, {"Patient_ID", patient}, {"MeTrMonth", ""}, {"InOut", ""}});
}

QString MedicalBody(const QString& patient, const QString& date, const QString& department) {
  return "<data>  <medicalgetreq type=\"record\">    <Patient_ID type=\"string\">" + patient +
         "</Patient_ID>    <Perform_Date type=\"string\">" + date +
         "</Perform_Date>    <Medical_Information type=\"record\">      <Department_Code type=\"string\">" +
         department + "</Department_Code>    </Medical_Information>  </medicalgetreq></data>";
}
