#pragma once

#include <QByteArray>
#include <QStringList>
#include <QUrl>
#include <memory>

#include "http_server.h"
#include "orca/orca_client.h"
#include "orca_sim.h"
#include "temp_program_folder.h"

// What came back over the wire, headers included.
struct RawReply {
  int status = 0;  // 0: no HTTP answer
  QByteArray body;
  QByteArray contentType;
  QByteArray challenge;  // WWW-Authenticate
};

// An in-process orca-sim on a free loopback port, made for a fixed day, and the program's own client
// pointed at it through user.ini.
class SimTest : public TempProgramFolder {
 protected:
  static const QDate kToday;  // 2025-03-14

  void SetUp() override;
  // The options' push port, if any, is a free one.
  void start(SimOptions options = {});

  // A post through the product's transport; the answer's lines, or nothing when it returned "".
  std::optional<QStringList> post(const QString& apiPath, const QString& body);
  QUrl pushUrl() const;      // ws://…/ws on the API's port
  QUrl pushPortUrl() const;  // ws://…/ws on the second port, when the options ask for one
  // A request with an explicit Authorization value ("" for none).
  RawReply raw(const QByteArray& method, const QString& path, const QByteArray& body,
               const QByteArray& authorization = "Basic " + QByteArray("ormaster:ormaster").toBase64());

  std::unique_ptr<OrcaSimulator> sim_;
  std::unique_ptr<HttpServer> pushServer_;  // goes after the API's server: that one publishes to it
  std::unique_ptr<HttpServer> server_;
  std::unique_ptr<OrcaClient> client_;
};

// The values of every line holding the element, in order.
QStringList Values(const QStringList& lines, const QString& element);
// A one-line request body in the program's layout: root data, the record, the string fields.
QString Body(const QString& record, const QList<QPair<QString, QString>>& fields);
// acceptlstv2's request for a day, optionally one department.
QString AcceptBody(const QString& date, const QString& department = {});
// The request of one of the reception list's online probes (Request_Number 01, no month).
QString ProbeBody(const QString& call, const QString& patient);
// medicalgetv2's request: patient, Perform_Date and a department, empty or not.
QString MedicalBody(const QString& patient, const QString& date, const QString& department = {});
