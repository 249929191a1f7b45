#include "core/atomic_file.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "core/core_error.h"

void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool durable) {
  if (durable) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) return;
    throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
  }
  QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
  if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
    throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
  }
  file.close();
  std::error_code error;
  std::filesystem::rename(file.fileName().toStdU16String(), path.toStdU16String(), error);
  if (error) throw CoreError(QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(error.message())));
  file.setAutoRemove(false);
}
