#include "core/atomic_file.h"

#include <QFile>
#include <QSaveFile>
#include <QTemporaryFile>

#include "core/core_error.h"
#include "core/write_all.h"
#include "platform/replace_file.h"

namespace {

// QTemporaryFile opens its file buffered; WriteAll wants it unbuffered.
class UnbufferedTemporaryFile : public QTemporaryFile {
 public:
  using QTemporaryFile::QTemporaryFile;
  bool openUnbuffered() { return QTemporaryFile::open(QIODevice::ReadWrite | QIODevice::Unbuffered); }
};

}  // namespace

void WriteFileAtomically(const QString& path, const QByteArray& bytes, bool durable) {
  if (durable) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && WriteAll(file, bytes) && file.commit())
      return;
    throw FileWriteError(path, file.errorString());  // what was not committed goes with the object
  }
  QString temporary;
  {
    UnbufferedTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.openUnbuffered() || !WriteAll(file, bytes)) throw FileWriteError(path, file.errorString());
    file.setAutoRemove(false);
    temporary = file.fileName();
  }  // Windows moves a file only once nothing holds it open: the temporary file object is gone.
  QString error;
  if (!MoveIntoPlace(temporary, path, &error)) {
    QFile::remove(temporary);
    throw FileWriteError(path, error);
  }
}
