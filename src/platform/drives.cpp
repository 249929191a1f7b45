#include "platform/drives.h"

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <QDir>
#include <QStorageInfo>
#endif

void GetDriveList(QStringList& list) {
  list.clear();
#ifdef Q_OS_WIN
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const wchar_t root[] = {letter, L':', L'\\', 0};
    if (GetDriveTypeW(root) > 1) list << QString::fromWCharArray(root);
  }
#else
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (volume.isValid() && volume.isReady()) list << volume.rootPath();
  }
#endif
}

bool IsOnListedDrive(const QString& folder, const QStringList& drives) {
  if (folder.isEmpty()) return false;
#ifdef Q_OS_WIN
  for (const QString& root : drives) {
    if (!root.isEmpty() && root.at(0) == folder.at(0)) return true;
  }
  return false;
#else
  if (!QDir::isAbsolutePath(folder)) return false;
  const QString path = QDir::cleanPath(folder);
  for (const QString& root : drives) {
    const QString r = QDir::cleanPath(root);
    if (path == r || path.startsWith(r.endsWith(QLatin1Char('/')) ? r : r + QLatin1Char('/'))) return true;
  }
  return false;
#endif
}
