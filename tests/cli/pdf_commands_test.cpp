// rinmed-cli pdf-text, pdf-date and pdf-months on real PDFs, as support staff run them.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "pdf_builder.h"
#include "sim_and_cli.h"

using namespace Qt::StringLiterals;

namespace {

QString Fixture(const QString& name) {
  return QStringLiteral(RINMED_PDF_DATA_DIR "/") + name;
}

}  // namespace

TEST(RinmedCliPdf, printsTextDateAndMonthsOfTheFixtures) {
  const struct {
    QString command, file, out;
  } cases[] = {
      {u"pdf-text"_s, u"druginfo.pdf"_s,
       u"薬剤情報提供書氏名　山田　太郎　様この文書には受診歴と調剤の記録が載っています。受診歴さくら内科医院"
       u"24年10月"
       "24年9月みどり薬局2024年8月東京中央病院24年7月診療・調剤の内容調剤年月日　2024/10/05　"
       "ロキソプロフェンナトリウム錠60mg　3錠\n"_s},
      {u"pdf-text"_s, u"nodate.pdf"_s,
       u"お薬手帳についてのお知らせ受診の際はお薬手帳をお持ちください。日付の記載はありません。\n"_s},
      {u"pdf-text"_s, u"encrypted.pdf"_s, u"\n"_s},  // its streams do not inflate
      {u"pdf-date"_s, u"checkup.pdf"_s, u"2024-05\n"_s},
      {u"pdf-date"_s, u"druginfo.pdf"_s, u"2024-10\n"_s},
      {u"pdf-date"_s, u"nodate.pdf"_s, u"\n"_s},
      {u"pdf-months"_s, u"druginfo.pdf"_s,
       u"さくら内科医院=2024-10\nさくら内科医院=2024-09\nみどり薬局=2024-08\n東京中央病院=2024-07\n"_s},
      {u"pdf-months"_s, u"checkup.pdf"_s, u""_s},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli({c.command, Fixture(c.file)});
    const std::string what = (c.command + u' ' + c.file).toStdString();
    EXPECT_EQ(run.exitCode, 0) << what;
    EXPECT_EQ(run.out, c.out) << what;
    EXPECT_EQ(run.err, QString()) << what;
  }
}

TEST(RinmedCliPdf, errorsGoToStderrWithANonZeroStatus) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString broken = dir.filePath(u"broken.pdf"_s);
  QFile file(broken);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(PdfWithStreams({Zlib(BfCharCMap({"<10000> <0041>"}))}));
  file.close();
  const QString missing = dir.filePath(u"missing.pdf"_s);

  const struct {
    QStringList arguments;
    int exitCode;
    QString err;
  } cases[] = {
      {{u"pdf-text"_s, missing}, 1, u"no such file: "_s + missing + u'\n'},
      {{u"pdf-months"_s, dir.path()}, 1, u"no such file: "_s + dir.path() + u'\n'},
      {{u"pdf-text"_s, broken}, 1, u"ToUnicode CMap のコード 10000 が範囲外です\n"_s},
      {{u"pdf-date"_s, broken}, 1, u"ToUnicode CMap のコード 10000 が範囲外です\n"_s},
      {{u"pdf-date"_s}, 2, u"usage: rinmed-cli pdf-date FILE\n"_s},
      {{u"pdf-text"_s, broken, broken}, 2, u"usage: rinmed-cli pdf-text FILE\n"_s},
  };
  for (const auto& c : cases) {
    const CliRun run = RunCli(c.arguments);
    const std::string what = c.arguments.join(u' ').toStdString();
    EXPECT_EQ(run.exitCode, c.exitCode) << what;
    EXPECT_EQ(run.out, QString()) << what;
    EXPECT_EQ(run.err, c.err) << what;
  }
}

// rinmed-cli begins a new log, as the window program does, when the one it finds is over 32 MiB.
TEST(RinmedCliLog, aLargeLogIsRenamedWhenTheProgramStarts) {
  QTemporaryDir folder;
  QFile log(folder.filePath(u"Log.txt"_s));
  ASSERT_TRUE(log.open(QIODevice::WriteOnly));
  ASSERT_TRUE(log.resize(qint64(32) * 1024 * 1024 + 1));
  log.close();
  const CliRun run = RunCli({u"--folder"_s, folder.path(), u"pdf-date"_s, Fixture(u"checkup.pdf"_s)});
  EXPECT_EQ(run.out, u"2024-05\n"_s);
  EXPECT_EQ(QFileInfo(folder.filePath(u"Log.1.txt"_s)).size(), qint64(32) * 1024 * 1024 + 1);
  EXPECT_LT(QFileInfo(folder.filePath(u"Log.txt"_s)).size(), 1024);
}
