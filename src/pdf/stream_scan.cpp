#include "pdf/stream_scan.h"

#include <QFile>
#include <QFileInfo>

#include "pdf/cmap.h"
#include "pdf/find_bytes.h"
#include "pdf/inflate.h"
#include "pdf/pdf_error.h"
#include "pdf/text_operators.h"

QList<StreamBody> FindStreamBodies(const QByteArray& fileData) {
  QList<StreamBody> bodies;
  const qsizetype size = fileData.size();
  qsizetype p = 0;
  while (p < size) {
    const qsizetype s = FindBytes(fileData, "stream", p);
    if (s < 0) break;
    qsizetype d = s + 6;
    if (d < size && fileData[d] == '\r') ++d;
    if (d < size && fileData[d] == '\n') ++d;
    const qsizetype e = FindBytes(fileData, "endstream", d);
    if (e < 0) break;
    bodies.append({d, e - d});
    p = e + 9;
  }
  return bodies;
}

QList<QByteArray> InflateStreams(const QByteArray& fileData) {
  QList<QByteArray> streams;
  qsizetype budget = kMaxInflatedFileBytes;
  for (const StreamBody& body : FindStreamBodies(fileData)) {
    QByteArray inflated;
    try {
      inflated =
          DecompressStream(fileData, body.offset, body.length, std::min(kMaxInflatedStreamBytes, budget));
    } catch (const InflateError&) {
      continue;  // not zlib data, broken, or too large: the file's other streams still count
    }
    if (inflated.isEmpty()) continue;
    budget -= inflated.size();
    streams.append(std::move(inflated));
  }
  return streams;
}

namespace {

// Whether the stream holds "beginbfchar" or "beginbfrange", in one pass.
bool HoldsCMapBlock(const QByteArray& stream) {
  for (qsizetype at = FindBytes(stream, "beginbf", 0); at >= 0; at = FindBytes(stream, "beginbf", at + 1)) {
    const QByteArrayView rest = QByteArrayView(stream).sliced(at + 7);
    if (rest.startsWith("char") || rest.startsWith("range")) return true;
  }
  return false;
}

}  // namespace

QString ExtractTextFromPdfData(const QByteArray& fileData) {
  const QList<QByteArray> streams = InflateStreams(fileData);
  CodeMap map;
  for (const QByteArray& stream : streams) {
    if (HoldsCMapBlock(stream)) ParseToUnicodeCMap(stream, map);
  }
  QString text;
  for (const QByteArray& stream : streams) text += ExtractTextFromStream(stream, map);
  return text;
}

QString ExtractTextFromPdf(const QString& fileName) {
  if (!QFileInfo(fileName).isFile()) return QString();
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly))
    throw PdfError(QStringLiteral("PDFファイルを読み込めません: %1 (%2)").arg(fileName, file.errorString()));
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw PdfError(QStringLiteral("PDFファイルを読み込めません: %1 (%2)").arg(fileName, file.errorString()));
  if (data.isEmpty()) return QString();
  return ExtractTextFromPdfData(data);
}
