#include "request_body.h"

#include <QStringList>
#include <QXmlStreamReader>

namespace {

// An open element below the request record.
struct Open {
  enum Kind { Record, Value, Array, Item, Unread } kind;
  QString name;
};

// What an element of `type` opened inside a `parent` is; Unread for one the server does not read.
Open::Kind KindInside(Open::Kind parent, const QString& type) {
  const bool isString = type == QLatin1String("string");
  const bool isRecord = type == QLatin1String("record");
  if (parent == Open::Record) {
    if (isString) return Open::Value;
    if (isRecord) return Open::Record;
    if (type == QLatin1String("array")) return Open::Array;
    return Open::Unread;
  }
  if (parent == Open::Array && isRecord) return Open::Item;
  if (parent == Open::Item && isString) return Open::Value;
  return Open::Unread;  // deeper nesting inside an item carries nothing the simulator reads
}

QString PathOf(const QList<Open>& open) {
  QStringList names;
  for (const Open& o : open) names << o.name;
  return names.join(QLatin1Char('/'));
}

}  // namespace

RequestBody ReadRequestBody(const QByteArray& body, const QString& expectedRecord) {
  RequestBody result;
  QXmlStreamReader xml(body);
  QList<Open> open;   // open elements below the record
  int skipDepth = 0;  // inside an element the server does not read
  int depth = 0;      // 1 = root, 2 = the record
  QString text;
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::StartElement) {
      ++depth;
      const QString name = xml.name().toString();
      if (depth == 2 && result.record.isEmpty()) {
        result.record = name;
        if (name != expectedRecord) return result;
        continue;
      }
      if (depth <= 2 || skipDepth > 0) {
        if (depth > 2) ++skipDepth;
        continue;
      }
      // The request record itself is the parent of its first level.
      const Open::Kind parent = open.isEmpty() ? Open::Record : open.last().kind;
      const Open::Kind kind = KindInside(parent, xml.attributes().value(QLatin1String("type")).toString());
      if (kind == Open::Unread) {
        ++skipDepth;
        continue;
      }
      if (kind == Open::Array) {
        const QString arrayPath = PathOf(open + QList<Open>{{Open::Array, name}});
        if (!result.arrays.contains(arrayPath)) result.arrays.insert(arrayPath, {});
      }
      if (kind == Open::Item) result.arrays[PathOf(open)].append(QHash<QString, QString>());
      open << Open{kind, name};
      text.clear();
    } else if (token == QXmlStreamReader::Characters) {
      if (skipDepth == 0) text += xml.text();
    } else if (token == QXmlStreamReader::EndElement) {
      if (skipDepth > 0) {
        --skipDepth;
      } else if (depth > 2 && !open.isEmpty()) {
        const Open closed = open.takeLast();
        if (closed.kind == Open::Value) {
          if (!open.isEmpty() && open.last().kind == Open::Item) {
            const QString arrayPath = PathOf(open.mid(0, open.size() - 1));
            result.arrays[arrayPath].last().insert(closed.name, text);
          } else {
            result.values.insert(PathOf(open + QList<Open>{closed}), text);
          }
        }
        text.clear();
      }
      --depth;
    }
  }
  result.readable = !xml.hasError() && result.record == expectedRecord;
  return result;
}
