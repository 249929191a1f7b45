#include <gtest/gtest.h>

#include "core/ini_file.h"
#include "core/user_settings.h"
#include "temp_program_folder.h"

namespace {

class UserSettingsTest : public TempProgramFolder {};

// Where each setting lives in user.ini, and what it reads as when the key is missing.
TEST_F(UserSettingsTest, eachSettingIsOneKeyOfUserIni) {
  const struct {
    Setting setting;
    const char* section;
    const char* key;
    const char* absent;
  } cases[] = {
      {Setting::ApiUrl, "PARAMA", "URL", ""},
      {Setting::ApiKey, "PARAMA", "APIKEY", ""},
      {Setting::ApiUser, "PARAMA", "APIUSER", ""},
      {Setting::ConnectionTest, "PARAMA", "API", ""},
      {Setting::PdfFolder, "PARAMA", "SAVETXT", ""},
      {Setting::ServerAddress, "PARAMA", "IPADR", ""},
      {Setting::InstitutionCode, "PARAMA", "KIKANCD", ""},
      {Setting::InstitutionName, "PARAMA", "KIKANNAME", ""},
      {Setting::RefreshSeconds, "PARAMA", "REFRESH", "60"},
      {Setting::MedCheckDays, "PARAMA", "MEDCHECKDAYS", "90"},
      {Setting::MedCheckMonths, "PARAMA", "MEDCHECKMONTHS", "3"},
      {Setting::PushUrl, "PARAMA", "PUSHURL", ""},
      {Setting::Push, "PARAMA", "PUSH", ""},
      {Setting::ConnectionMode, "COKBN", "CHCK", ""},
      {Setting::LogFile, "FIRST", "LOG", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadSetting(c.setting), QString::fromLatin1(c.absent)) << c.key;
    WriteSetting(c.setting, QStringLiteral(" value of %1 ").arg(c.key));
    EXPECT_EQ(IFReadIniStr(c.section, c.key, QString()), QStringLiteral("value of %1").arg(c.key));
    EXPECT_EQ(ReadSetting(c.setting), QStringLiteral("value of %1").arg(c.key));
  }
}

}  // namespace
