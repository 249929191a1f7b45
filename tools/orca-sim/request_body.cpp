#include "request_body.h"

#include <QStringList>
#include <QXmlStreamReader>

RequestBody ReadRequestBody(const QByteArray& body, const QString& expectedRecord) {
  RequestBody result;
  QXmlStreamReader xml(body);
  QStringList path;     // open elements below the record
  QList<bool> isValue;  // per entry of path: a string element rather than a record
  int skipDepth = 0;    // inside an element the server does not read
  int depth = 0;        // 1 = root, 2 = the record
  QString text;
  while (!xml.atEnd()) {
    const QXmlStreamReader::TokenType token = xml.readNext();
    if (token == QXmlStreamReader::StartElement) {
      ++depth;
      const QString name = xml.name().toString();
      const QString type = xml.attributes().value(QLatin1String("type")).toString();
      if (depth == 2 && result.record.isEmpty()) {
        result.record = name;
        if (name != expectedRecord) return result;
        continue;
      }
      if (depth <= 2 || skipDepth > 0) {
        if (depth > 2) ++skipDepth;
        continue;
      }
      if (type != QLatin1String("string") && type != QLatin1String("record")) {
        ++skipDepth;  // arrays and untyped elements carry nothing the simulator reads
        continue;
      }
      path << name;
      isValue << (type == QLatin1String("string"));
      text.clear();
    } else if (token == QXmlStreamReader::Characters) {
      if (skipDepth == 0) text += xml.text();
    } else if (token == QXmlStreamReader::EndElement) {
      if (skipDepth > 0) {
        --skipDepth;
      } else if (depth > 2) {
        if (!path.isEmpty()) {
          if (isValue.last()) result.values.insert(path.join(QLatin1Char('/')), text);
          path.removeLast();
          isValue.removeLast();
        }
        text.clear();
      }
      --depth;
    }
  }
  result.readable = !xml.hasError() && result.record == expectedRecord;
  return result;
}
