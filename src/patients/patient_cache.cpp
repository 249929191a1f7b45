#include "patients/patient_cache.h"

#include <QFile>
#include <QStringConverter>

#include "core/atomic_file.h"
#include "core/core_error.h"
#include "core/program_folder.h"
#include "core/write_trouble.h"
#include "orca/patient_number.h"
#include "orca/response_reader.h"

namespace {

QString KeyOf(const QString& line) {
  const qsizetype comma = line.indexOf(QLatin1Char(','));
  return comma < 0 ? QString() : line.left(comma);
}

}  // namespace

QString GetCacheFilePath() {
  return ProgramFile(QStringLiteral("PatientCache.csv"));
}

QStringList CacheLines(const QByteArray& fileBytes) {
  // Only the file's own mark goes: QString::fromUtf8 would drop a leading one by itself, and with
  // the one dropped here also a U+FEFF that begins the first line.
  QStringDecoder decode(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
  QString text = decode(fileBytes);
  if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
  if (text.isEmpty()) return {};
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  return text.split(QLatin1Char('\n'));
}

QStringList ReadCacheLines(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return CacheLines(file.readAll());
}

QByteArray CacheFileBytes(const QStringList& cacheLines) {
  QByteArray bytes("\xEF\xBB\xBF");
  for (const QString& line : cacheLines) {
    bytes += line.toUtf8();
    bytes += "\r\n";
  }
  return bytes;
}

PatientCacheSession::PatientCacheSession() : PatientCacheSession(ReadCacheLines(GetCacheFilePath())) {}

PatientCacheSession::PatientCacheSession(const QStringList& cacheLines) : lines_(cacheLines) {
  keys_.reserve(lines_.size());
  for (const QString& line : lines_) {
    const QString key = KeyOf(line);
    if (!key.isEmpty()) keys_.insert(key);
  }
}

bool PatientCacheSession::add(const QString& patientId, const QString& name) {
  const QString id = NormalisePatientNumber(TrimBlanksAndControls(patientId));
  QString storedName = TrimBlanksAndControls(name);
  if (id.isEmpty() || storedName.isEmpty()) return false;
  if (id.contains(QLatin1Char(',')) || id.contains(QLatin1Char('\r')) || id.contains(QLatin1Char('\n'))) {
    return false;
  }
  if (keys_.contains(id)) return false;
  // A line break inside a name would split its line and forge a second entry.
  storedName.replace(QLatin1Char('\r'), QLatin1Char(' '));
  storedName.replace(QLatin1Char('\n'), QLatin1Char(' '));
  lines_.append(id + QLatin1Char(',') + storedName);
  keys_.insert(id);
  changed_ = true;
  return true;
}

void PatientCacheSession::save() {
  if (!changed_) return;
  const QByteArray bytes = CacheFileBytes(lines_);
  const QString path = GetCacheFilePath();
  try {
    WriteFileAtomically(path, bytes, true);
  } catch (const FileWriteError& e) {
    ReportWriteFailed(OwnFile::PatientCache, path, e.reason());
    throw FileWriteError(path, e.reason(), path + QStringLiteral(" に書き込めません"));
  }
  ReportWritten(OwnFile::PatientCache);
  changed_ = false;
}

void SavePatientCache(const QString& patientId, const QString& name) {
  PatientCacheSession session;
  if (session.add(patientId, name)) session.save();
}
