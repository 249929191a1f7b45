#include <gtest/gtest.h>

#include <QDir>
#include <QStringList>

#include "core/clock.h"
#include "core/write_trouble.h"

namespace {

class WriteTrouble : public ::testing::Test {
 protected:
  void TearDown() override { SetClockForTesting({}); }
  void at(int minute) {
    const QDateTime moment = QDateTime(QDate(2024, 5, 1), QTime(9, 0)).addSecs(minute * 60);
    SetClockForTesting([moment] { return moment; });
  }
};

// Event by event: which failures the user is told of. Each file is a cause of its own, told once; it
// is told again only after writing it has worked since, and not within ten minutes of the last telling.
TEST_F(WriteTrouble, eachCauseIsToldOnceAndAgainOnlyAfterWritingHasWorkedAndTimeHasPassed) {
  enum What { Fails, Works };
  const struct {
    int minute;
    What what;
    OwnFile file;
    const char* where;
    bool told;
    const char* why;
  } events[] = {
      {0, Fails, OwnFile::Log, "/p/Log.txt", true, "the first failure"},
      {0, Fails, OwnFile::Log, "/p/Log.txt", false, "the next line: nothing has worked since"},
      {1, Fails, OwnFile::Dump, "/p", true, "the dump files are another cause"},
      {1, Fails, OwnFile::PatientCache, "/p/PatientCache.csv", true, "and so is the cache"},
      {2, Fails, OwnFile::Dump, "/p", false, "another dump file of the same folder"},
      {3, Works, OwnFile::Log, "", false, ""},
      {5, Fails, OwnFile::Log, "/p/Log.txt", false, "worked since, but within ten minutes of the telling"},
      {10, Fails, OwnFile::Log, "/p/Log.txt", true, "worked since, and ten minutes on"},
      {11, Fails, OwnFile::Log, "/q/Log.txt", true, "the log moved elsewhere: a new place is told at once"},
      {40, Fails, OwnFile::Dump, "/p", false, "time alone does not bring a cause back"},
      {41, Works, OwnFile::Dump, "", false, ""},
      {41, Fails, OwnFile::Dump, "/p", true, "a dump file written, then one refused"},
      {42, Works, OwnFile::Log, "", false, ""},
      {42, Fails, OwnFile::PatientCache, "/p/PatientCache.csv", false,
       "the log working brings back no other cause"},
  };
  QStringList told;
  WriteTroubleTeller teller([&told](const QString& text) { told << text; });
  for (const auto& e : events) {
    at(e.minute);
    const qsizetype before = told.size();
    if (e.what == Works) {
      ReportWritten(e.file);
      continue;
    }
    ReportWriteFailed(e.file, QString::fromUtf8(e.where), QStringLiteral("No space left on device"));
    ASSERT_EQ(told.size() - before, e.told ? 1 : 0) << "minute " << e.minute << ": " << e.why;
    if (e.told) {
      EXPECT_EQ(told.last(), WriteTroubleText(e.file, QString::fromUtf8(e.where),
                                              QStringLiteral("No space left on device")));
    }
  }
  EXPECT_TRUE(teller.toldAny());
}

// Nobody is told while no teller stands; the teller made last is in force, and when it ends the one
// before it comes back with what it had told.
TEST_F(WriteTrouble, theTellerMadeLastIsInForceUntilItEnds) {
  at(0);
  ReportWriteFailed(OwnFile::Log, "/p/Log.txt", "reason");
  QStringList outer;
  WriteTroubleTeller first([&outer](const QString& text) { outer << text; });
  EXPECT_FALSE(first.toldAny()) << "a failure with nobody to tell is not remembered";
  ReportWriteFailed(OwnFile::Log, "/p/Log.txt", "reason");
  EXPECT_EQ(outer.size(), 1);
  {
    QStringList inner;
    WriteTroubleTeller second([&inner](const QString& text) { inner << text; });
    ReportWriteFailed(OwnFile::Log, "/p/Log.txt", "reason");
    EXPECT_EQ(inner.size(), 1) << "a new teller tells what stands";
    EXPECT_EQ(outer.size(), 1);
  }
  ReportWriteFailed(OwnFile::Log, "/p/Log.txt", "reason");
  EXPECT_EQ(outer.size(), 1) << "told already, and nothing has worked since";
}

TEST_F(WriteTrouble, theTextSaysWhichFileWhyAndWhatToCheck) {
  const QString folder = QDir::toNativeSeparators(QStringLiteral("/rinmed"));
  const struct {
    OwnFile file;
    const char* where;
    QString text;
  } cases[] = {
      {OwnFile::Log, "/rinmed/Log.txt",
       "ログファイルに書き込めません。\r\n" + folder + QDir::separator() +
           "Log.txt\r\n原因: No space left on device\r\n\r\n"
           "ディスクの空き容量と、このファイルへの書き込み権限を確認してください。\r\n"
           "書き込めるようになるまで、ORCAへの問い合わせはできません。"},
      {OwnFile::Dump, "/rinmed",
       "ORCAの応答をファイルに保存できません。\r\nフォルダー: " + folder +
           "\r\n原因: No space left on device\r\n\r\n"
           "ディスクの空き容量と、このフォルダーへの書き込み権限を確認してください。\r\n"
           "保存できるようになるまで、ORCAから受け取った情報は表示されません。"},
      {OwnFile::PatientCache, "/rinmed/PatientCache.csv",
       "患者キャッシュに書き込めません。\r\n" + folder + QDir::separator() +
           "PatientCache.csv\r\n原因: No space left on device\r\n\r\n"
           "ディスクの空き容量と、このファイルへの書き込み権限を確認してください。\r\n"
           "受付一覧はこのまま使えますが、新しい患者は漢字氏名で検索できません。"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WriteTroubleText(c.file, QString::fromUtf8(c.where), "No space left on device"), c.text);
  }
}

}  // namespace
