#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// A request body as ORCA reads it: the root's first child is the request record; values are the
// elements of type "string" inside it, known by their path below the record
// ("Patient_ID", "Medical_Information/Department_Code"). Elements without a type are skipped.
// Arrays hold records of values: each item's values by name, known by the array's path.
struct RequestBody {
  bool readable = false;  // well-formed XML whose first record is the expected one
  QString record;
  QHash<QString, QString> values;
  QHash<QString, QList<QHash<QString, QString>>> arrays;

  QString value(const QString& path) const { return values.value(path).trimmed(); }
  QList<QHash<QString, QString>> items(const QString& arrayPath) const { return arrays.value(arrayPath); }
};

RequestBody ReadRequestBody(const QByteArray& body, const QString& expectedRecord);
