#include "core/log.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringConverter>
#include <QStringList>

#include "core/clock.h"
#include "core/core_error.h"
#include "core/program_folder.h"
#include "core/timestamp.h"
#include "core/user_settings.h"
#include "core/write_all.h"
#include "core/write_trouble.h"
#include "platform/drives.h"
#include "platform/replace_file.h"

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

namespace {

// A LOG value naming a bare folder keeps the log in that folder under its usual name.
QString LogFilePath(const QString& fileName) {
  if (QFileInfo(fileName).isDir()) return fileName + QStringLiteral("/Log.txt");
  return fileName;
}

QByteArray LogLine(const QString& text) {
  QStringEncoder encode(QStringConverter::System);
  return encode(LogTimestamp(Now()) + QLatin1Char(' ') + text + QLatin1String("\r\n"));
}

[[noreturn]] void Refused(const QString& path, const QString& reason) {
  ReportWriteFailed(OwnFile::Log, path, reason);
  throw FileWriteError(path, reason);
}

// Whole lines or none: what a full disk took of them is cut off again, so that the log never ends in
// half a line. (A device such as /dev/full has no end to cut back to, and nothing went into it.)
void Append(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
    Refused(path, file.errorString());
  }
  if (bytes.isEmpty()) return;
  const qint64 before = file.size();
  if (!WriteAll(file, bytes)) {
    const QString reason = file.errorString();
    file.resize(before);
    Refused(path, reason);
  }
  ReportWritten(OwnFile::Log);
}

}  // namespace

bool StartNewLogIfLarge(qint64 limit, QString* error) {
  const QFileInfo log(LogFilePath(GetLogTxt()));
  if (!log.isFile() || log.size() <= limit) return true;
  const QString older = log.dir().filePath(log.completeBaseName() + QStringLiteral(".1.") + log.suffix());
  QString reason;
  if (MoveIntoPlace(log.filePath(), older, &reason)) return true;
  if (error) *error = reason;
  return false;
}

void WrtLog(const QString& fileName, const QString& text) {
  Append(LogFilePath(fileName), LogLine(text));
}

LogBatch::LogBatch(const QString& fileName) : path_(LogFilePath(fileName)) {
  Append(path_, QByteArray());
}

void LogBatch::add(const QString& text) {
  lines_ += LogLine(text);
}

void LogBatch::write() {
  if (lines_.isEmpty()) return;
  Append(path_, lines_);
  lines_.clear();
}
