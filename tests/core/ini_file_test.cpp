#include <QDir>

#include "core/core_error.h"
#include "core/ini_file.h"
#include "system_code_page.h"
#include "temp_program_folder.h"
#include "write_failures.h"

namespace {

class IniFile : public TempProgramFolder {};

TEST_F(IniFile, readsDefaultsWithoutTouchingAMissingFile) {
  EXPECT_EQ(IFReadIniStr("PARAMA", "URL", ""), "");
  EXPECT_EQ(IFReadIniStr("PARAMA", "REFRESH", "60"), "60");
  EXPECT_FALSE(QFile::exists(path("user.ini")));
}

TEST_F(IniFile, firstSaveCreatesTheSectionsInWritingOrderWithoutMark) {
  for (const char* key : {"APIKEY", "API", "URL", "APIUSER", "SAVETXT", "IPADR", "KIKANCD", "REFRESH"}) {
    IFWriteIniStr("PARAMA", key, QString(key).toLower());
  }
  IFWriteIniStr("COKBN", "CHCK", "1");
  IFWriteIniStr("PARAMA", "IPADR", "");
  EXPECT_EQ(readFile("user.ini"),
            "[PARAMA]\r\nAPIKEY=apikey\r\nAPI=api\r\nURL=url\r\nAPIUSER=apiuser\r\nSAVETXT=savetxt\r\n"
            "IPADR=\r\nKIKANCD=kikancd\r\nREFRESH=refresh\r\n[COKBN]\r\nCHCK=1\r\n");
}

TEST_F(IniFile, matchesNamesWithoutCaseAndTrimsValues) {
  writeFile("user.ini", "[parama]\r\n  url =  https://x/api/  \r\nEMPTY=\r\n[Other]\r\nurl=no\r\n");
  EXPECT_EQ(IFReadIniStr("PARAMA", "URL", "d"), "https://x/api/");
  EXPECT_EQ(IFReadIniStr("Parama", "Empty", "d"), "");  // present but empty is not the default
  EXPECT_EQ(IFReadIniStr("PARAMA", "MISSING", "d"), "d");
  EXPECT_EQ(IFReadIniStr("OTHER", "URL", "d"), "no");
}

TEST_F(IniFile, replacesInPlaceAndAppendsNewKeysAtTheEndOfTheirSection) {
  writeFile("user.ini", "; clinic settings\n[PARAMA]\nA=1\nb=2\nC=3\n\n[COKBN]\nCHCK=1\n");
  IFWriteIniStr("PARAMA", "B", "two");
  IFWriteIniStr("PARAMA", "D", "4");
  IFWriteIniStr("FIRST", "LOG", "/var/log/Log.txt");
  EXPECT_EQ(readFile("user.ini"),
            "; clinic settings\r\n[PARAMA]\r\nA=1\r\nB=two\r\nC=3\r\nD=4\r\n\r\n[COKBN]\r\nCHCK=1\r\n"
            "[FIRST]\r\nLOG=/var/log/Log.txt\r\n");
}

TEST(ProfileText, theReadingRulesApplyToTextInMemory) {
  const QString text = "[parama]\r\n  url =  https://x/api/  \r\n[COKBN]\nCHCK=2";
  EXPECT_EQ(ReadProfileStringFromText(text, "PARAMA", "URL", "d"), "https://x/api/");
  EXPECT_EQ(ReadProfileStringFromText(text, "COKBN", "CHCK", "d"), "2");
  EXPECT_EQ(ReadProfileStringFromText(text, "COKBN", "URL", "d"), "d");
  EXPECT_EQ(ReadProfileStringFromText(QString(), "PARAMA", "URL", "d"), "d");
}

TEST_F(IniFile, cutsLongValuesAt2047Characters) {
  IFWriteIniStr("PARAMA", "URL", QString(3000, QLatin1Char('x')));
  EXPECT_EQ(IFReadIniStr("PARAMA", "URL", "").size(), 2047);
}

TEST_F(IniFile, keepsJapaneseTextAndCannotBeTrickedByLineBreaks) {
  IFWriteIniStr("PARAMA", "SAVETXT", "/共有/ＰＤＦ　保存");
  IFWriteIniStr("PARAMA", "APIUSER", "user\r\n[COKBN]\r\nCHCK=2");
  EXPECT_EQ(IFReadIniStr("PARAMA", "SAVETXT", ""), "/共有/ＰＤＦ　保存");
  EXPECT_EQ(IFReadIniStr("COKBN", "CHCK", "none"), "none");
}

TEST_F(IniFile, storesJapaneseInTheSystemCodePageAndReadsItBack) {
  const QByteArray text =
      InSystemCodePage("薬局　ＰＤＦ", "\x96\xf2\x8b\xc7\x81\x40\x82\x6f\x82\x63\x82\x65");
  if (text.isEmpty()) GTEST_SKIP() << "a system code page other than 932 or UTF-8";
  IFWriteIniStr("PARAMA", "KIKANNAME", "薬局　ＰＤＦ");
  EXPECT_EQ(readFile("user.ini"), "[PARAMA]\r\nKIKANNAME=" + text + "\r\n");
  // A file another program wrote in the same code page.
  writeFile("user.ini",
            "[PARAMA]\r\nSAVETXT=C:\\" +
                InSystemCodePage("共有フォルダ", "\x8b\xa4\x97\x4c\x83\x74\x83\x48\x83\x8b\x83\x5f") +
                "\r\n");
  EXPECT_EQ(IFReadIniStr("PARAMA", "SAVETXT", ""), "C:\\共有フォルダ");
}

TEST_F(IniFile, aRefusedWriteRaisesTheFileError) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("user.ini"));  // a folder where the file should be
  try {
    IFWriteIniStr("PARAMA", "URL", "x");
    FAIL() << "no error raised";
  } catch (const CoreError& e) {
    EXPECT_EQ(e.message(), path("user.ini") + " に書き込めません");
  }
}

// A disk that runs out of room while user.ini is rewritten leaves the last whole file, not a cut one,
// and no temporary file beside it.
TEST_F(IniFile, aWriteThatRunsOutOfRoomKeepsTheLastWholeFile) {
  if (!kRealWriteFailures) GTEST_SKIP() << "needs RLIMIT_FSIZE";
  IFWriteIniStr("PARAMA", "URL", "https://weborca.example/api/");
  IFWriteIniStr("PARAMA", "APIUSER", "ormaster");
  const QByteArray before = readFile("user.ini");
  {
    FileSizeLimit limit(before.size() / 2);
    try {
      IFWriteIniStr("PARAMA", "APIKEY", "secret");
      ADD_FAILURE() << "no error raised";
    } catch (const CoreError& e) {
      EXPECT_EQ(e.message(), path("user.ini") + " に書き込めません");
    }
  }
  EXPECT_EQ(readFile("user.ini"), before);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files), QStringList{"user.ini"});
}

}  // namespace
