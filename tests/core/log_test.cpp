#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

#include "core/clock.h"
#include "core/core_error.h"
#include "core/ini_file.h"
#include "core/log.h"
#include "core/timestamp.h"
#include "system_code_page.h"
#include "temp_program_folder.h"
#include "write_failures.h"

namespace {

#ifdef Q_OS_WIN
// A drive letter the system does not know.
QString AbsentDrive() {
  for (wchar_t letter = L'Z'; letter >= L'A'; --letter) {
    const wchar_t root[] = {letter, L':', L'\\', 0};
    if (GetDriveTypeW(root) <= 1) return QString(QChar(letter));
  }
  return QString();
}
#endif

class Log : public TempProgramFolder {
 protected:
  void fixClock(const QDateTime& moment) {
    SetClockForTesting([moment] { return moment; });
  }
};

TEST_F(Log, locationFollowsTheLogKeyOnlyForAnExistingFolder) {
  QDir(dir_.path()).mkdir("logs");
  const QString logs = path("logs");
  struct Case {
    const char* what;
    QString configured;
    QString expected;
  };
  const Case cases[] = {
      {"missing", QString(), path("Log.txt")},
      {"empty", "", path("Log.txt")},
      {"existing folder", logs + "/Log.txt", logs + "/Log.txt"},
      {"file name in another case", logs + "/LOG.TXT", logs + "/LOG.TXT"},
      {"folder that does not exist", path("nowhere") + "/Log.txt", path("Log.txt")},
      {"relative path", "logs/Log.txt", path("Log.txt")},
      {"bare folder", logs, logs},
#ifdef Q_OS_WIN
      // The drive letter is compared exactly, and a drive must be present.
      {"lower-case drive letter", logs.at(0).toLower() + logs.mid(1) + "/Log.txt", path("Log.txt")},
      {"drive that is not present", AbsentDrive() + logs.mid(1) + "/Log.txt", path("Log.txt")},
#endif
  };
  for (const Case& c : cases) {
    QFile::remove(path("user.ini"));
    if (!c.configured.isNull()) IFWriteIniStr("FIRST", "LOG", c.configured);
    EXPECT_EQ(GetLogTxt(), c.expected) << c.what;
  }
}

TEST_F(Log, createsThenAppendsStampedLinesWithCrLf) {
  fixClock(QDateTime(QDate(2024, 5, 1), QTime(9, 5, 7)));
  WrtLog(GetLogTxt(), "API: one");
  fixClock(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59, 999)));
  WrtLog(GetLogTxt(), "ResponseCode=200");
  fixClock(QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0, 0)));
  WrtLog(GetLogTxt(), "midnight");
  fixClock(QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0, 1)));
  WrtLog(GetLogTxt(), "just after");
  EXPECT_EQ(readFile("Log.txt"),
            "2024/05/01 9:05:07 API: one\r\n2024/12/31 23:59:59 ResponseCode=200\r\n"
            "2025/01/01 midnight\r\n2025/01/01 0:00:00 just after\r\n");
}

TEST_F(Log, writesIntoABareFolderUnderTheUsualName) {
  QDir(dir_.path()).mkdir("logs");
  IFWriteIniStr("FIRST", "LOG", path("logs"));
  fixClock(QDateTime(QDate(2024, 5, 1), QTime(13, 0, 0)));
  WrtLog(GetLogTxt(), "日本語の行");
  const QByteArray text = InSystemCodePage("日本語の行", "\x93\xfa\x96\x7b\x8c\xea\x82\xcc\x8d\x73");
  if (text.isEmpty()) GTEST_SKIP() << "a system code page other than 932 or UTF-8";
  EXPECT_EQ(readFile("logs/Log.txt"), "2024/05/01 13:00:00 " + text + "\r\n");
}

TEST_F(Log, aFileThatCannotBeCreatedRaisesTheError) {
  EXPECT_THROW(WrtLog(path("missing/folder/Log.txt"), "x"), CoreError);
}

// A line the disk refuses, whole or halfway, leaves the log as it was and raises the file's error; a
// batch keeps its lines for the next write, which goes through once there is room again.
TEST_F(Log, aLineThatCannotBeWrittenLeavesTheLogAsItWasAndRaises) {
  if (!kRealWriteFailures) GTEST_SKIP() << "needs /dev/full and RLIMIT_FSIZE";
  const QByteArray before = "2024/05/01 9:00:00 before\r\n";
  const struct {
    const char* what;
    bool fullDevice;  // else a size limit with room for ten more bytes
    QString reason;
  } cases[] = {
      {"a full disk", true, kFullDeviceReason},
      {"room for half a line", false, kFileTooLargeReason},
  };
  for (const auto& c : cases) {
    QFile::remove(path("Log.txt"));
    if (c.fullDevice) {
      ASSERT_TRUE(ReplaceWithFullDevice(path("Log.txt")));
    } else {
      writeFile("Log.txt", before);
    }
    LogBatch batch(GetLogTxt());
    batch.add("kept for later");
    {
      std::optional<FileSizeLimit> limit;
      if (!c.fullDevice) limit.emplace(before.size() + 10);
      try {
        WrtLog(GetLogTxt(), "a line of more than ten bytes");
        ADD_FAILURE() << c.what << ": no error";
      } catch (const FileWriteError& e) {
        EXPECT_EQ(e.message(), path("Log.txt") + ": " + c.reason) << c.what;
        EXPECT_EQ(e.reason(), c.reason) << c.what;
      }
      EXPECT_THROW(batch.write(), FileWriteError) << c.what;
      if (!c.fullDevice) {
        EXPECT_EQ(readFile("Log.txt"), before) << c.what << ": not half a line";
      }
    }
    if (c.fullDevice) QFile::remove(path("Log.txt"));
    batch.write();
    const QStringList expected =
        c.fullDevice ? QStringList{"kept for later"} : QStringList{"before", "kept for later"};
    EXPECT_EQ(logMessages(), expected) << c.what;
  }
}

TEST_F(Log, fixedTimestampIgnoresRegionalSettings) {
  fixClock(QDateTime(QDate(2024, 3, 4), QTime(5, 6, 7)));
  EXPECT_EQ(IFGetHzk15(), "2024-03-04 05:06:07");
}

}  // namespace

namespace {

// A log of `bytes` bytes, written sparsely.
void Grow(const QString& path, qint64 bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_TRUE(file.resize(bytes));
}

}  // namespace

// At start a log over the limit becomes Log.1.txt (an older one replaced) and the next line begins a new
// one; at the limit or below it stays; the LOG key's folder is honoured.
TEST_F(Log, aLargeLogIsRenamedAtStartAndANewOneBegins) {
  const struct {
    const char* what;
    const char* folder;  // "" for the program folder, else a folder named by LOG
    qint64 bytes;
    bool renamed;
  } cases[] = {
      {"at the limit", "", kLogRenameBytes, false},
      {"one byte over", "", kLogRenameBytes + 1, true},
      {"in the LOG folder", "logs", kLogRenameBytes + 1, true},
  };
  for (const auto& c : cases) {
    const QString folder = QString::fromLatin1(c.folder);
    if (!folder.isEmpty()) {
      QDir(dir_.path()).mkdir(folder);
      IFWriteIniStr("FIRST", "LOG", path(folder));
    }
    const QString log =
        path(folder.isEmpty() ? QStringLiteral("Log.txt") : folder + QStringLiteral("/Log.txt"));
    const QString older =
        path(folder.isEmpty() ? QStringLiteral("Log.1.txt") : folder + QStringLiteral("/Log.1.txt"));
    writeFile(folder.isEmpty() ? QStringLiteral("Log.1.txt") : folder + QStringLiteral("/Log.1.txt"),
              "older");
    Grow(log, c.bytes);
    QString error;
    EXPECT_TRUE(StartNewLogIfLarge(kLogRenameBytes, &error)) << c.what << error.toStdString();
    WrtLog(GetLogTxt(), QStringLiteral("first line"));
    EXPECT_EQ(QFileInfo(older).size(), c.renamed ? c.bytes : 5) << c.what;
    EXPECT_EQ(QFileInfo(log).size() < 100, c.renamed) << c.what;
    QFile::remove(log);
    QFile::remove(older);
  }
}
