#include "orca/dump_file.h"

#include <QFileInfo>
#include <QUtf8StringView>

#include "core/atomic_file.h"
#include "core/core_error.h"
#include "core/program_folder.h"
#include "core/write_trouble.h"

QString DumpFilePath(const QString& apiPath) {
  QString name = apiPath;
  for (QChar& c : name) {
    const bool safe =
        (c.unicode() < 128 && QChar::isLetterOrNumber(c.unicode())) || c == u'_' || c == u'-' || c == u'.';
    if (!safe) c = u'_';
  }
  return ProgramFile(QStringLiteral("Res_") + name + QStringLiteral(".txt"));
}

QByteArray DumpBytes(const QByteArray& content) {
  static const QByteArray mark("\xEF\xBB\xBF");
  const QByteArrayView body = content.startsWith(mark) ? QByteArrayView(content).sliced(3)
                                                       : QByteArrayView(content);  // one mark, never two
  // Valid UTF-8 is stored as it came; anything else is decoded with replacement characters first.
  return mark + (QUtf8StringView(body).isValidUtf8() ? body.toByteArray() : QString::fromUtf8(body).toUtf8());
}

QByteArray WriteDumpFile(const QString& path, const QByteArray& content) {
  QByteArray bytes = DumpBytes(content);
  try {
    WriteFileAtomically(path, bytes, false);
  } catch (const FileWriteError& e) {
    ReportWriteFailed(OwnFile::Dump, QFileInfo(path).absolutePath(), e.reason());
    throw;
  }
  ReportWritten(OwnFile::Dump);
  return bytes;
}
