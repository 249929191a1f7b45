#include "fuzz_support.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

#include "core/program_folder.h"

FuzzInput::FuzzInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const qsizetype end = bytes.indexOf('\0');
  params_ = bytes.left(end < 0 ? bytes.size() : end).split('\n');
  if (end >= 0) parts_ = bytes.mid(end + 1).split('\0');
}

QString FuzzInput::param(int index) const {
  return QString::fromUtf8(params_.value(index));
}

QByteArray FuzzInput::part(int index) const {
  return parts_.value(index);
}

void FuzzCheckFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

void UseTemporaryProgramFolder() {
  static QTemporaryDir folder;
  if (!folder.isValid() ||
      !QFile::link(QStringLiteral("/dev/null"), folder.filePath(QStringLiteral("Log.txt")))) {
    std::fprintf(stderr, "no temporary program folder\n");
    std::abort();
  }
  SetProgramFolder(folder.path());
}
