#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <memory>

#include "http_server.h"

// A loopback ORCA for the medical-record call. It reads each request body as XML and answers by
// class and `Perform_Date`; an unscripted question gets 404.
class SelfOrca {
 public:
  SelfOrca();

  // user.ini of the current program folder points at this server.
  void configure() const;

  // The answer to a question written as `asked()` writes it: "03 2024-05", "02 2024-05-13 01",
  // "02 2024-05-13 01 2" (a visit's sequential number, when the request names one).
  void answer(const QString& question, const HttpAction& action);

  // Each request as its class, `Perform_Date` and, when given, `Department_Code` and
  // `Sequential_Number`, in order.
  QStringList asked() const;
  QList<HttpRequest> requests() const { return server_->requests(); }
  int connectionsOpened() const { return server_->connectionsOpened(); }
  void clearRecord() { server_->clearRecord(); }

 private:
  HttpAction respond(const HttpRequest& request);

  mutable QMutex mutex_;
  QMap<QString, HttpAction> answers_;
  std::unique_ptr<HttpServer> server_;
};

// The values of one request body, read as XML.
struct MedicalGetQuestion {
  QString medicalClass;
  QString patientId;
  QString performDate;
  QString departmentCode;
  QString sequentialNumber;
};
MedicalGetQuestion ReadQuestion(const HttpRequest& request);
QString QuestionText(const MedicalGetQuestion& question);

// Answers laid out as ORCA writes them: declaration, two-space indentation, one element per line.
QByteArray OrcaAnswer(const QString& record, const QStringList& bodyLines);

// A month overview: one act per (code, calendar) pair.
struct OverviewAct {
  QString code;
  QString calendar;  // 31 flags
};
QByteArray MonthOverviewAnswer(const QString& month, const QList<OverviewAct>& acts);

// A day query: one visit per (date, department, sequential number), in the given order; a visit
// without a number has none in the answer.
struct Visit {
  QString date;
  QString department;
  QString sequentialNumber = {};
};
QByteArray DayVisitsAnswer(const QList<Visit>& visits);

// A day-and-department answer: order groups with their drugs.
struct OrderedDrug {
  QString code;
  QString name;
  QString quantity;
  QString unit;
};
struct OrderGroup {
  QString medicalClass;
  QString count;
  QList<OrderedDrug> drugs;
};
QByteArray DayActsAnswer(const QString& day, const QString& department, const QList<OrderGroup>& groups);

// A flag string with "1" at the given days.
QString CalendarOf(std::initializer_list<int> days);
