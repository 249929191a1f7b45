#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Where one stream's body lies in the file: from after "stream" and its line break up to the
// first "endstream" after that.
struct StreamBody {
  qsizetype offset = 0;
  qsizetype length = 0;
};

// The bodies between "stream" and "endstream" in file order. Each search for "stream" starts
// after the last "endstream" consumed, so a body is never searched for a new "stream".
QList<StreamBody> FindStreamBodies(const QByteArray& fileData);

// The bodies that inflate to at least one byte, inflated, in file order. A stream that does not
// inflate, or that would pass kMaxInflatedStreamBytes or the file's remaining share of
// kMaxInflatedFileBytes, is dropped.
QList<QByteArray> InflateStreams(const QByteArray& fileData);

// The text of a whole file's bytes: every CMap stream feeds one map before any text is decoded,
// then the Tj/TJ text of every stream is concatenated. Raises CMapRangeError.
QString ExtractTextFromPdfData(const QByteArray& fileData);

// The same for a file: "" when there is no such file or it is empty. Raises PdfError when the
// file exists but cannot be read.
QString ExtractTextFromPdf(const QString& fileName);
