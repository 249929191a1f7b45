#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

// PatientCache.csv in the program's folder: one "number,name" line per patient in order of first
// appearance, UTF-8 with a byte-order mark, CR LF after every line. Lines are only ever appended.
QString GetCacheFilePath();

// One pass over the cache: the file is read once, any number of patients is added, and the file
// is written back once. A list load feeds hundreds of patients, and reading the whole file for
// each of them made a load slow with a large cache.
class PatientCacheSession {
 public:
  PatientCacheSession();                                        // reads the file when it exists
  explicit PatientCacheSession(const QStringList& cacheLines);  // starts from lines already read

  // Appends "number,name" when both are non-blank after trimming and no line has the number as
  // its key (the text before its first comma); an existing name is never updated. A number of
  // digits is kept without its leading zeros, as the list shows it. A number that
  // holds a comma or a line break is never stored, because its line could not be found again.
  // Returns true when a line was added.
  bool add(const QString& patientId, const QString& name);

  // Writes the whole file atomically when lines were added, so that a crash or a full disk leaves
  // the old file or the new one, never a part. Raises FileWriteError "<path> に書き込めません" when the
  // file cannot be written (the lines stay added, for the next save); the write-trouble teller
  // hears of every outcome (core/write_trouble.h).
  void save();

  const QStringList& lines() const { return lines_; }

 private:
  QStringList lines_;
  QSet<QString> keys_;
  bool changed_ = false;
};

// Records one patient: the file is read and, when the number is new, written back at once.
void SavePatientCache(const QString& patientId, const QString& name);

// The file's lines decoded as UTF-8, with or without a byte-order mark (only the first mark is the
// file's; a second one belongs to the first line); CR LF, LF and CR all end a line and a final line
// break makes no extra empty line.
QStringList CacheLines(const QByteArray& fileBytes);
// CacheLines of the file; empty when the file does not exist.
QStringList ReadCacheLines(const QString& path);

// The file as a session writes it: the mark, then every line with CR LF.
QByteArray CacheFileBytes(const QStringList& cacheLines);
