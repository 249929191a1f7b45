#pragma once

#include <QDate>
#include <QList>
#include <QMutex>
#include <QString>
#include <map>

#include "demo_data.h"
#include "fault_rule.h"
#include "http_message.h"
#include "xml_tree.h"

struct SimOptions {
  QString host = QStringLiteral("127.0.0.1");
  int port = 8000;
  QString user = QStringLiteral("ormaster");
  QString key = QStringLiteral("ormaster");
  int latencyMs = 0;
  XmlLayout layout = XmlLayout::Classic;
  QString clinicCode = QStringLiteral("1234567");
  QDate today;               // null: the computer's date, looked at on every request
  int receptionsToday = -1;  // -1: the demo day's own list
  QList<FaultRule> faults;
  QString tlsCert, tlsKey, clientCa;
};

// The request handling of orca-sim, apart from the listening socket so that tests run it in-process.
// The handler is called on the server's thread; the demo data of each day is made once.
class OrcaSimulator {
 public:
  explicit OrcaSimulator(SimOptions options);
  HttpAction handle(const HttpRequest& request) const;
  DemoData data(const QDate& today) const;

 private:
  HttpAction answer(const QString& call, const HttpRequest& request, int* patient) const;

  SimOptions options_;
  mutable QMutex mutex_;
  mutable std::map<QDate, DemoData> days_;
};
