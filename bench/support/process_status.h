#pragma once

#include <QByteArray>
#include <QFile>

// A figure of this process's /proc/self/status in KiB ("VmRSS:" resident now, "VmHWM:" its peak);
// 0 where there is no such file.
inline long ProcessStatusKiB(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith(field))
      return line.mid(static_cast<qsizetype>(qstrlen(field))).trimmed().split(' ').first().toLong();
  }
  return 0;
}
