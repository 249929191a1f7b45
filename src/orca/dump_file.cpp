#include "orca/dump_file.h"

#include <QSaveFile>

#include "core/core_error.h"
#include "core/program_folder.h"

QString DumpFilePath(const QString& apiPath) {
  QString name = apiPath;
  for (QChar& c : name) {
    const bool safe = (c.unicode() < 128 && QChar::isLetterOrNumber(c.unicode())) || c == u'_' || c == u'-' ||
                      c == u'.';
    if (!safe) c = u'_';
  }
  return ProgramFile(QStringLiteral("Res_") + name + QStringLiteral(".txt"));
}

void WriteDumpFile(const QString& path, const QByteArray& content) {
  QString text = QString::fromUtf8(content);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);  // one mark, never two
  const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + text.toUtf8();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
    throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
  }
}
