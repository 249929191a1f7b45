#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QString>
#include <functional>
#include <memory>

#include "http_server.h"

// A loopback ORCA whose answers a test sets per API path and, for the probes, per patient.
// Unscripted requests get 404.
class ScriptedOrca {
 public:
  ScriptedOrca();

  QString baseUrl() const;  // "http://127.0.0.1:<port>/api/"
  // user.ini of the current program folder points at this server, push notifications off.
  void configure() const;

  // The answer to every request for the path ("api01rv2/acceptlstv2?class=03"), or only to those
  // whose body names the patient.
  void answer(const QString& apiPath, const HttpAction& action, const QString& patientId = QString());
  // The answer to the requests for the path whose body holds the text (a month, a request
  // number); these come before the answers above, the first one set first.
  void answerWhenBodyHolds(const QString& apiPath, const QByteArray& text, const HttpAction& action);
  void clearAnswers();

  QList<HttpRequest> requests() const { return server_->requests(); }
  QStringList requestedPaths() const;  // API paths in order, with the patient of the body: "path #id"
  void clearRecord() { server_->clearRecord(); }

  // Called on the server's thread for every request, before it is answered.
  void setObserver(std::function<void(const HttpRequest&)> observer);

 private:
  HttpAction respond(const HttpRequest& request);

  mutable QMutex mutex_;
  QMap<QString, HttpAction> answers_;
  struct BodyAnswer {
    QString apiPath;
    QByteArray text;
    HttpAction action;
  };
  QList<BodyAnswer> bodyAnswers_;
  std::function<void(const HttpRequest&)> observer_;
  std::unique_ptr<HttpServer> server_;
};

// An acceptance-list answer in ORCA's layout, one element per line.
struct AnswerReception {
  AnswerReception(const QString& id, const QString& n, const QString& time = QString())
      : patientId(id), name(n), accountTime(time) {}
  QString patientId;
  QString name;
  QString accountTime;
};
QByteArray AcceptanceAnswer(const QList<AnswerReception>& receptions);

QString PatientOfBody(const QByteArray& body);
