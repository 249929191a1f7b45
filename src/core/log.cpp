#include "core/log.h"

#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <QStringList>

#include "core/clock.h"
#include "core/core_error.h"
#include "core/program_folder.h"
#include "core/timestamp.h"
#include "core/user_settings.h"
#include "platform/drives.h"

QString GetLogTxt() {
  const QString configured = ReadSetting(Setting::LogFile);
  QString folder = configured;
  folder.remove(QStringLiteral("Log.txt"), Qt::CaseInsensitive);

  const QString fallback = ProgramFile(QStringLiteral("Log.txt"));
  if (folder.isEmpty()) return fallback;  // the usual case: no need to ask for the drives
  QStringList drives;
  GetDriveList(drives);
  if (IsOnListedDrive(folder, drives) && QFileInfo(folder).isDir()) return configured;
  return fallback;
}

void WrtLog(const QString& fileName, const QString& text) {
  // A LOG value naming a bare folder keeps the log in that folder under its usual name.
  QString path = fileName;
  if (QFileInfo(path).isDir()) path += QStringLiteral("/Log.txt");

  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
    throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
  }
  QStringEncoder encode(QStringConverter::System);
  const QByteArray line = encode(LogTimestamp(Now()) + QLatin1Char(' ') + text + QLatin1String("\r\n"));
  const bool written = file.write(line) == line.size();
  file.close();
  if (!written) throw CoreError(QStringLiteral("%1: %2").arg(path, file.errorString()));
}
