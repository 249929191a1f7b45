#include "temp_program_folder.h"

#include <QFile>
#include <QRegularExpression>

#include "core/clock.h"
#include "core/program_folder.h"

void TempProgramFolder::SetUp() {
  ASSERT_TRUE(dir_.isValid());
  SetProgramFolder(dir_.path());
}

void TempProgramFolder::TearDown() {
  SetClockForTesting({});
}

QString TempProgramFolder::path(const QString& name) const {
  return dir_.filePath(name);
}

QByteArray TempProgramFolder::readFile(const QString& name) const {
  QFile f(path(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TempProgramFolder::writeFile(const QString& name, const QByteArray& bytes) const {
  QFile f(path(name));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QStringList TempProgramFolder::logMessages() const {
  static const QRegularExpression stamp(QStringLiteral("^\\d{4}/\\d{2}/\\d{2}( \\d{1,2}:\\d{2}:\\d{2})? "));
  QStringList result;
  const QString text = QString::fromLocal8Bit(readFile(QStringLiteral("Log.txt")));  // the system code page
  for (QString line : text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
    result << line.remove(stamp);
  }
  return result;
}
