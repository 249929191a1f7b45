#include "core/ini_file.h"

#include <QFile>
#include <QStringConverter>
#include <QStringList>
#include <optional>

#include "core/atomic_file.h"
#include "core/core_error.h"
#include "core/program_folder.h"

namespace {

constexpr int kMaxValueLength = 2047;

// The file holds text in the system code page, without a byte-order mark.
QString ReadText(const QString& file) {
  QFile f(file);
  if (!f.open(QIODevice::ReadOnly)) return QString();
  QStringDecoder decode(QStringConverter::System);
  return decode(f.readAll());
}

QStringList Lines(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  }
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  return lines;
}

std::optional<QString> SectionName(const QString& line) {
  const QString t = line.trimmed();
  if (!t.startsWith(QLatin1Char('['))) return std::nullopt;
  const qsizetype close = t.indexOf(QLatin1Char(']'));
  return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

std::optional<QString> KeyName(const QString& line) {
  const qsizetype eq = line.indexOf(QLatin1Char('='));
  if (eq < 0) return std::nullopt;
  return line.left(eq).trimmed();
}

bool SameName(const QString& a, const QString& b) {
  return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first header line of the section, or -1.
qsizetype FindSection(const QStringList& lines, const QString& section) {
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(lines[i]);
    if (name && SameName(*name, section)) return i;
  }
  return -1;
}

// One past the last line that belongs to the section starting at `header`.
qsizetype SectionEnd(const QStringList& lines, qsizetype header) {
  qsizetype i = header + 1;
  while (i < lines.size() && !SectionName(lines[i])) ++i;
  return i;
}

}  // namespace

QString IniFilePath() {
  return ProgramFile(QStringLiteral("user.ini"));
}

QString ReadProfileString(const QString& file, const QString& section, const QString& key,
                          const QString& defaultValue) {
  return ReadProfileStringFromText(ReadText(file), section, key, defaultValue);
}

QString ReadProfileStringFromText(const QString& text, const QString& section, const QString& key,
                                  const QString& defaultValue) {
  const QStringList lines = Lines(text);
  const qsizetype header = FindSection(lines, section);
  if (header < 0) return defaultValue;
  const qsizetype end = SectionEnd(lines, header);
  for (qsizetype i = header + 1; i < end; ++i) {
    const auto name = KeyName(lines[i]);
    if (name && SameName(*name, key)) {
      return lines[i].mid(lines[i].indexOf(QLatin1Char('=')) + 1).trimmed().left(kMaxValueLength);
    }
  }
  return defaultValue;
}

void WriteProfileString(const QString& file, const QString& section, const QString& key,
                        const QString& value) {
  // A line break inside a value would start a new line of the file and could forge keys.
  QString flat = value;
  flat.replace(QLatin1String("\r\n"), QLatin1String(" "));
  flat.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  const QString entry = key + QLatin1Char('=') + flat;

  QStringList lines = Lines(ReadText(file));
  const qsizetype header = FindSection(lines, section);
  if (header < 0) {
    lines << QLatin1Char('[') + section + QLatin1Char(']') << entry;
  } else {
    const qsizetype end = SectionEnd(lines, header);
    bool replaced = false;
    for (qsizetype i = header + 1; i < end && !replaced; ++i) {
      const auto name = KeyName(lines[i]);
      if (name && SameName(*name, key)) {
        lines[i] = entry;
        replaced = true;
      }
    }
    if (!replaced) {
      qsizetype at = end;
      while (at > header + 1 && lines[at - 1].trimmed().isEmpty()) --at;  // before trailing blank lines
      lines.insert(at, entry);
    }
  }

  // Written whole through a temporary file, so a crash mid-write leaves the old settings intact.
  QStringEncoder encode(QStringConverter::System);
  QByteArray bytes;
  for (const QString& line : lines) bytes += encode(line + QLatin1String("\r\n"));
  try {
    WriteFileAtomically(file, bytes, true);
  } catch (const CoreError&) {
    throw CoreError(QStringLiteral("%1 に書き込めません").arg(file));
  }
}

QString IFReadIniStr(const QString& section, const QString& key, const QString& defaultValue) {
  return ReadProfileString(IniFilePath(), section, key, defaultValue);
}

void IFWriteIniStr(const QString& section, const QString& key, const QString& value) {
  WriteProfileString(IniFilePath(), section, key, value);
}
