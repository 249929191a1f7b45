#include "core/atomic_file.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include "core/core_error.h"
#include "platform/replace_file.h"

void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool durable) {
  if (durable) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return;
    throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
  }
  QString temporary;
  {
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
      throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    }
    file.setAutoRemove(false);
    temporary = file.fileName();
  }  // Windows moves a file only once nothing holds it open: the temporary file object is gone.
  QString error;
  if (!MoveIntoPlace(temporary, path, &error)) {
    QFile::remove(temporary);
    throw CoreError(QStringLiteral("%1: %2").arg(path, error));
  }
}
