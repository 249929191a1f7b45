#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// A request body as ORCA reads it: the root's first child is the request record; values are the
// elements of type "string" inside it, known by their path below the record
// ("Patient_ID", "Medical_Information/Department_Code"). Elements without a type are skipped.
struct RequestBody {
  bool readable = false;  // well-formed XML whose first record is the expected one
  QString record;
  QHash<QString, QString> values;

  QString value(const QString& path) const { return values.value(path).trimmed(); }
};

RequestBody ReadRequestBody(const QByteArray& body, const QString& expectedRecord);
