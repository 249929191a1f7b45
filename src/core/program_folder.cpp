#include "core/program_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& OverriddenFolder() {
  static QString folder;
  return folder;
}
}  // namespace

QString ProgramFolder() {
  if (!OverriddenFolder().isEmpty()) return OverriddenFolder();
  return QCoreApplication::applicationDirPath();
}

void SetProgramFolder(const QString& folder) { OverriddenFolder() = QDir::cleanPath(folder); }

QString ProgramFile(const QString& name) { return ProgramFolder() + QLatin1Char('/') + name; }
