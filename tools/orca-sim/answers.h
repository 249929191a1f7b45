#pragma once

#include <QDateTime>
#include <QString>

#include "demo_data.h"
#include "request_body.h"
#include "xml_tree.h"

// One answer of the simulator: a document and how it travels.
struct OrcaAnswer {
  XmlNode root;
  bool xmlio2 = true;       // false: the root is written as it is (onlinemedgetv2 day documents)
  bool contentType = true;  // ORCA leaves the content type out for the array-shaped answers
};

// The calls, each answered from the demo data as ORCA would. `now` stamps Information_Date/_Time.
OrcaAnswer AnswerAcceptList(const DemoData& data, const QString& cls, const RequestBody& body,
                            const QDateTime& now);
OrcaAnswer AnswerPatient(const DemoData& data, const QString& id, const QDateTime& now);
OrcaAnswer AnswerOnlineDrug(const DemoData& data, const RequestBody& body, const QDateTime& now);
OrcaAnswer AnswerOnlineMed(const DemoData& data, const RequestBody& body, const QDateTime& now);
OrcaAnswer AnswerOnlineSpec(const DemoData& data, const RequestBody& body, const QDateTime& now);
OrcaAnswer AnswerMedical(const DemoData& data, const QString& cls, const RequestBody& body,
                         const QDateTime& now);
OrcaAnswer AnswerContraindication(const DemoData& data, const RequestBody& body, const QDateTime& now);
