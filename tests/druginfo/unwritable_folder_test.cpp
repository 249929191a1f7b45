// The program's folder stops taking writes mid-day: the window says why once per cause, in one box,
// never as every job's error, and goes on working.
#include <gtest/gtest.h>

#include <QFile>
#include <optional>

#include "core/ini_file.h"
#include "core/write_trouble.h"
#include "drug_info_fixture.h"
#include "write_failures.h"

namespace {

constexpr qint64 kRoom = 64 * 1024;  // what a file may grow to while a size limit stands

enum class Cause { LogOnFullDisk, AnswerBeyondRoom, CacheBeyondRoom };

// One cause in force while it stands: a log linked to /dev/full, or a size limit that the answer or the
// cache exceeds while the log (and every other file) stays below it.
class CauseInForce {
 public:
  CauseInForce(Cause cause, const QString& logPath) : log_(logPath), cause_(cause) {
    if (cause == Cause::LogOnFullDisk) {
      EXPECT_TRUE(ReplaceWithFullDevice(log_));
    } else {
      limit_.emplace(kRoom);
    }
  }
  ~CauseInForce() {
    if (cause_ == Cause::LogOnFullDisk) QFile::remove(log_);
  }

 private:
  QString log_;
  Cause cause_;
  std::optional<FileSizeLimit> limit_;
};

class UnwritableFolderTest : public DrugInfoTest {
 protected:
  // One refresh of the list, as the timer makes it.
  void refresh() {
    logic->TimerRefreshTimer();
    WaitUntilIdle(*logic);
  }
  void listAnswer(const QList<AnswerReception>& receptions, bool beyondRoom) {
    QByteArray answer = AcceptanceAnswer(receptions);
    if (beyondRoom) answer += QByteArray(4 * kRoom, ' ') + '\n';  // a line of blanks that nobody reads
    orca.answer(kAcceptPath, HttpAction::Ok(answer));
  }
  QStringList warnings() const {
    QStringList texts;
    for (const auto& [kind, text] : ui.messages) {
      EXPECT_EQ(kind, MessageKind::Warning);
      texts << text;
    }
    return texts;
  }
};

// For each cause: two loads of the list under it say it once; a load after it has gone works and says
// nothing; the cause come back eleven minutes later is said once more. No load ends in an error box.
TEST_F(UnwritableFolderTest, eachCauseIsToldOnceAndAgainAfterWritingHasWorkedMeanwhile) {
  if (!kRealWriteFailures) GTEST_SKIP() << "needs /dev/full and RLIMIT_FSIZE";
  const struct {
    const char* what;
    Cause cause;
    OwnFile file;
    QString where;
    QString reason;
    QStringList rowsUnder;  // what the list shows while the cause stands
  } cases[] = {
      {"a log on a full disk",
       Cause::LogOnFullDisk,
       OwnFile::Log,
       path("Log.txt"),
       kFullDeviceReason,
       {"|||"}},
      {"an answer beyond the room left",
       Cause::AnswerBeyondRoom,
       OwnFile::Dump,
       dir_.path(),
       kFileTooLargeReason,
       {"|||"}},
      {"a cache beyond the room left",
       Cause::CacheBeyondRoom,
       OwnFile::PatientCache,
       path("PatientCache.csv"),
       kFileTooLargeReason,
       {"1|7|甲|"}},
  };
  orca.configure();
  for (const auto& c : cases) {
    logic = std::make_unique<DrugInfoLogic>(ui);
    ui.messages.clear();
    ui.errors.clear();
    for (const char* file : {"Log.txt", "PatientCache.csv", "Res_api01rv2_acceptlstv2_class_03.txt"}) {
      QFile::remove(path(file));
    }
    if (c.cause == Cause::CacheBeyondRoom) writeFile("PatientCache.csv", QByteArray(2 * kRoom, 'x') + "\r\n");
    const QString told = WriteTroubleText(c.file, c.where, c.reason);
    setClock(QDate(2024, 5, 1), QTime(10, 0));
    listAnswer({{"7", "甲"}}, c.cause == Cause::AnswerBeyondRoom);
    {
      const CauseInForce cause(c.cause, path("Log.txt"));
      logic->FormShow();
      WaitUntilIdle(*logic);
      refresh();
      EXPECT_EQ(rows(), c.rowsUnder) << c.what;
    }
    EXPECT_EQ(warnings(), QStringList{told}) << c.what;

    listAnswer({{"7", "甲"}, {"8", "乙"}}, false);
    refresh();
    EXPECT_EQ(rows(), (QStringList{"1|7|甲|", "2|8|乙|"})) << c.what << ": working again";
    EXPECT_EQ(warnings(), QStringList{told}) << c.what;

    setClock(QDate(2024, 5, 1), QTime(10, 11));
    listAnswer({{"7", "甲"}, {"8", "乙"}, {"9", "丙"}}, c.cause == Cause::AnswerBeyondRoom);
    {
      const CauseInForce cause(c.cause, path("Log.txt"));
      refresh();
      refresh();
    }
    EXPECT_EQ(warnings(), (QStringList{told, told})) << c.what << ": the cause came back";
    EXPECT_TRUE(ui.errors.isEmpty()) << c.what << ": " << ui.errors.join('\n').toStdString();
    logic->FormClose();
  }
}

// Today's waiting patients prepared one after another while every drug answer finds no room: the
// preparation goes through them all and the user hears of it once.
TEST_F(UnwritableFolderTest, aPreparationThatMeetsTheCauseForEveryPatientTellsItOnce) {
  if (!kRealWriteFailures) GTEST_SKIP() << "needs RLIMIT_FSIZE";
  IFWriteIniStr("PARAMA", "PREPARE", "1");
  orca.configure();
  const QList<AnswerReception> waiting{{"1", "甲"}, {"2", "乙"}, {"3", "丙"}, {"4", "丁"}, {"5", "戊"}};
  listAnswer(waiting, false);
  orca.answer("api01rv2/onlinedruggetv2", HttpAction::Ok(QByteArray(4 * kRoom, ' ') + '\n'));
  const auto drugRequests = [this] {
    return orca.requestedPaths().filter(QStringLiteral("api01rv2/onlinedruggetv2")).size();
  };
  {
    const FileSizeLimit limit(kRoom);
    logic->FormShow();
    ASSERT_TRUE(RunUntil([&] { return drugRequests() >= waiting.size() && !logic->prepared().running(); }));
    WaitUntilIdle(*logic);
  }
  EXPECT_EQ(logic->prepared().keptCount(), 0);
  EXPECT_EQ(warnings(), QStringList{WriteTroubleText(OwnFile::Dump, dir_.path(), kFileTooLargeReason)});
  EXPECT_TRUE(ui.errors.isEmpty()) << ui.errors.join('\n').toStdString();
}

}  // namespace
