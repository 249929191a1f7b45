#include <QDir>

#include "core/core_error.h"
#include "core/ini_file.h"
#include "temp_program_folder.h"

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

TEST_F(IniFile, aRefusedWriteRaisesTheFileError) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("user.ini"));  // a folder where the file should be
  try {
    IFWriteIniStr("PARAMA", "URL", "x");
    FAIL() << "no error raised";
  } catch (const CoreError& e) {
    EXPECT_EQ(e.message(), path("user.ini") + " に書き込めません");
  }
}

}  // namespace
