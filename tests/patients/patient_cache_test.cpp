#include <gtest/gtest.h>

#include <QDir>

#include "core/core_error.h"
#include "core/write_trouble.h"
#include "patients/patient_cache.h"
#include "temp_program_folder.h"
#include "write_failures.h"

class PatientCacheTest : public TempProgramFolder {
 protected:
  QByteArray cache() const { return readFile(QStringLiteral("PatientCache.csv")); }
};

TEST_F(PatientCacheTest, pathIsInTheProgramFolder) {
  EXPECT_EQ(GetCacheFilePath(), path(QStringLiteral("PatientCache.csv")));
}

TEST_F(PatientCacheTest, firstSaveCreatesUtf8WithMarkAndCrLf) {
  SavePatientCache(QStringLiteral(" 12 "), QStringLiteral(" 山田　太郎 "));
  SavePatientCache(QStringLiteral("7"), QStringLiteral("佐藤, 花子"));
  EXPECT_EQ(cache(),
            QByteArray("\xEF\xBB\xBF") + QStringLiteral("12,山田　太郎\r\n7,佐藤, 花子\r\n").toUtf8());
}

TEST_F(PatientCacheTest, knownNumberKeepsItsFirstName) {
  SavePatientCache(QStringLiteral("12"), QStringLiteral("山田　太郎"));
  SavePatientCache(QStringLiteral("12"), QStringLiteral("山田　次郎"));
  EXPECT_EQ(cache(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("12,山田　太郎\r\n").toUtf8());
}

TEST_F(PatientCacheTest, nothingIsStoredForBlankOrUnfindableEntries) {
  const QList<QPair<QString, QString>> refused{{QString(), QStringLiteral("甲")},
                                               {QStringLiteral("  "), QStringLiteral("甲")},
                                               {QStringLiteral("12"), QStringLiteral(" \t")},
                                               {QStringLiteral("1,2"), QStringLiteral("甲")},
                                               {QStringLiteral("1\n2"), QStringLiteral("甲")}};
  for (const auto& [id, name] : refused) SavePatientCache(id, name);
  EXPECT_FALSE(QFile::exists(GetCacheFilePath()));
}

TEST_F(PatientCacheTest, lineBreakInNameCannotForgeAnEntry) {
  SavePatientCache(QStringLiteral("12"), QStringLiteral("甲\r\n99,偽"));
  EXPECT_EQ(cache(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("12,甲  99,偽\r\n").toUtf8());
}

TEST_F(PatientCacheTest, existingFileWithoutMarkIsReadAndRewrittenInTheFormat) {
  writeFile(QStringLiteral("PatientCache.csv"), QStringLiteral("5,甲\nno comma\n6,乙").toUtf8());
  SavePatientCache(QStringLiteral("5"), QStringLiteral("別名"));
  EXPECT_EQ(cache(), QStringLiteral("5,甲\nno comma\n6,乙").toUtf8()) << "nothing added, nothing written";
  SavePatientCache(QStringLiteral("7"), QStringLiteral("丙"));
  EXPECT_EQ(cache(),
            QByteArray("\xEF\xBB\xBF") + QStringLiteral("5,甲\r\nno comma\r\n6,乙\r\n7,丙\r\n").toUtf8());
}

TEST_F(PatientCacheTest, keyIsComparedExactly) {
  writeFile(QStringLiteral("PatientCache.csv"), QByteArray("\xEF\xBB\xBF") + "012,A\r\n12 ,B\r\n");
  SavePatientCache(QStringLiteral("12"), QStringLiteral("C"));
  EXPECT_EQ(ReadCacheLines(GetCacheFilePath()),
            (QStringList{QStringLiteral("012,A"), QStringLiteral("12 ,B"), QStringLiteral("12,C")}));
}

// Reading dropped two marks, so a first line beginning with U+FEFF lost it (the fuzzer's input: a file
// of three marks), and a number beginning with one was stored again once the file had been written.
TEST_F(PatientCacheTest, onlyTheFilesOwnByteOrderMarkIsDropped) {
  writeFile(QStringLiteral("PatientCache.csv"), "\xEF\xBB\xBF\xEF\xBB\xBF\xEF\xBB\xBF");
  EXPECT_EQ(ReadCacheLines(GetCacheFilePath()), QStringList{QStringLiteral("\uFEFF\uFEFF")});
  ASSERT_TRUE(QFile::remove(GetCacheFilePath()));
  SavePatientCache(QStringLiteral("\uFEFF12"), QStringLiteral("甲"));
  SavePatientCache(QStringLiteral("\uFEFF12"), QStringLiteral("乙"));
  EXPECT_EQ(ReadCacheLines(GetCacheFilePath()), QStringList{QStringLiteral("\uFEFF12,甲")});
}

TEST_F(PatientCacheTest, sessionReadsOnceAndWritesOnce) {
  SavePatientCache(QStringLiteral("1"), QStringLiteral("甲"));
  PatientCacheSession session;
  EXPECT_FALSE(session.add(QStringLiteral("1"), QStringLiteral("乙")));
  EXPECT_TRUE(session.add(QStringLiteral("2"), QStringLiteral("乙")));
  EXPECT_FALSE(session.add(QStringLiteral("2"), QStringLiteral("丙")));
  EXPECT_EQ(ReadCacheLines(GetCacheFilePath()).size(), 1) << "not written before save";
  session.save();
  EXPECT_EQ(cache(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("1,甲\r\n2,乙\r\n").toUtf8());
}

TEST_F(PatientCacheTest, failedWriteRaisesAndLeavesTheOldFile) {
  SavePatientCache(QStringLiteral("1"), QStringLiteral("甲"));
  const QByteArray before = cache();
  PatientCacheSession session;
  session.add(QStringLiteral("2"), QStringLiteral("乙"));
  // The atomic write needs a temporary file beside the cache; a folder that cannot hold one fails it.
  ASSERT_TRUE(QDir(dir_.path()).rename(QStringLiteral("PatientCache.csv"), QStringLiteral("keep.csv")));
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("PatientCache.csv")));
  EXPECT_THROW(session.save(), CoreError);
  ASSERT_TRUE(QDir(dir_.path()).rmdir(QStringLiteral("PatientCache.csv")));
  EXPECT_EQ(readFile(QStringLiteral("keep.csv")), before);
}

// A disk that runs out of room while the cache is rewritten leaves its last whole version and nothing
// beside it; the line added stays in the session and goes in with the next save that finds room. The
// user is told once, however many saves meet it.
TEST_F(PatientCacheTest, aSaveThatRunsOutOfRoomKeepsTheLastWholeFile) {
  if (!kRealWriteFailures) GTEST_SKIP() << "needs RLIMIT_FSIZE";
  SavePatientCache(QStringLiteral("1"), QStringLiteral("甲"));
  const QByteArray before = cache();
  QStringList told;
  WriteTroubleTeller teller([&told](const QString& text) { told << text; });
  PatientCacheSession session;
  session.add(QStringLiteral("2"), QStringLiteral("乙"));
  {
    FileSizeLimit limit(before.size() + 2);
    for (int save = 0; save < 2; ++save) {
      try {
        session.save();
        ADD_FAILURE() << "no error raised";
      } catch (const FileWriteError& e) {
        EXPECT_EQ(e.message(), GetCacheFilePath() + QStringLiteral(" に書き込めません"));
      }
    }
    EXPECT_THROW(SavePatientCache(QStringLiteral("3"), QStringLiteral("丙")), FileWriteError);
  }
  EXPECT_EQ(cache(), before);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{QStringLiteral("PatientCache.csv")});
  EXPECT_EQ(told,
            QStringList{WriteTroubleText(OwnFile::PatientCache, GetCacheFilePath(), kFileTooLargeReason)});
  session.save();
  EXPECT_EQ(cache(), QByteArray("\xEF\xBB\xBF") + QStringLiteral("1,甲\r\n2,乙\r\n").toUtf8());
}

TEST(PatientCacheLines, whatASessionWritesReadsBackAsTheSameLines) {
  PatientCacheSession session(CacheLines(QByteArray("\xEF\xBB\xBF") + "5,甲\rno comma\n\n6,乙\r\n"));
  EXPECT_EQ(session.lines(), (QStringList{"5,甲", "no comma", "", "6,乙"}));
  EXPECT_FALSE(session.add(QStringLiteral("6"), QStringLiteral("別名")));
  EXPECT_TRUE(session.add(QStringLiteral("7"), QStringLiteral("丙")));
  const QByteArray bytes = CacheFileBytes(session.lines());
  EXPECT_EQ(bytes,
            QByteArray("\xEF\xBB\xBF") + QStringLiteral("5,甲\r\nno comma\r\n\r\n6,乙\r\n7,丙\r\n").toUtf8());
  EXPECT_EQ(CacheLines(bytes), session.lines());
}
