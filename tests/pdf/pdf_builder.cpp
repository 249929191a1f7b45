#include "pdf_builder.h"

#include <zlib.h>

#include <QFile>
#include <QString>
#include <stdexcept>

QByteArray Zlib(QByteArrayView raw, int level) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  QByteArray out(static_cast<qsizetype>(size), '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()),
                static_cast<uLong>(raw.size()), level) != Z_OK)
    throw std::runtime_error("compress2 failed");
  out.truncate(static_cast<qsizetype>(size));
  return out;
}

QByteArray PdfWithStreams(const QList<QByteArray>& bodies, QByteArrayView separator) {
  QByteArray pdf = "%PDF-1.4\n";
  int number = 1;
  for (const QByteArray& body : bodies) {
    pdf += QByteArray::number(number++) + " 0 obj\n<< /Length " + QByteArray::number(body.size()) +
           " /Filter /FlateDecode >>\nstream" + separator.toByteArray() + body + "\nendstream\nendobj\n";
  }
  return pdf + "trailer\n<< /Size " + QByteArray::number(number) + " >>\n%%EOF\n";
}

QByteArray BfCharCMap(const QList<QByteArray>& lines) {
  QByteArray cmap = "/CIDInit /ProcSet findresource begin\nbegincmap\n" + QByteArray::number(lines.size()) +
                    " beginbfchar\n";
  for (const QByteArray& line : lines) cmap += line + "\n";
  return cmap + "endbfchar\nendcmap\n";
}

QString FixturePath(const char* name) {
  return QStringLiteral(RINMED_PDF_DATA_DIR "/") + QString::fromUtf8(name);
}

QByteArray FixtureBytes(const char* name) {
  QFile file(FixturePath(name));
  if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("missing fixture");
  return file.readAll();
}
