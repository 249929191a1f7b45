#include "core/user_settings.h"

#include "core/ini_file.h"

namespace {

struct Key {
  const char* section;
  const char* name;
  const char* defaultValue;
};

Key KeyOf(Setting setting) {
  switch (setting) {
    case Setting::ApiUrl:
      return {"PARAMA", "URL", ""};
    case Setting::ApiKey:
      return {"PARAMA", "APIKEY", ""};
    case Setting::ApiUser:
      return {"PARAMA", "APIUSER", ""};
    case Setting::ConnectionTest:
      return {"PARAMA", "API", ""};
    case Setting::PdfFolder:
      return {"PARAMA", "SAVETXT", ""};
    case Setting::ServerAddress:
      return {"PARAMA", "IPADR", ""};
    case Setting::InstitutionCode:
      return {"PARAMA", "KIKANCD", ""};
    case Setting::InstitutionName:
      return {"PARAMA", "KIKANNAME", ""};
    case Setting::RefreshSeconds:
      return {"PARAMA", "REFRESH", "60"};
    case Setting::MedCheckDays:
      return {"PARAMA", "MEDCHECKDAYS", "90"};
    case Setting::MedCheckMonths:
      return {"PARAMA", "MEDCHECKMONTHS", "3"};
    case Setting::Parallel:
      return {"PARAMA", "PARALLEL", "4"};
    case Setting::PushUrl:
      return {"PARAMA", "PUSHURL", ""};
    case Setting::Push:
      return {"PARAMA", "PUSH", ""};
    case Setting::Prepare:
      return {"PARAMA", "PREPARE", ""};
    case Setting::ConnectionMode:
      return {"COKBN", "CHCK", ""};
    case Setting::LogFile:
      return {"FIRST", "LOG", ""};
  }
  return {"", "", ""};
}

}  // namespace

QString ReadSetting(Setting setting) {
  const Key key = KeyOf(setting);
  return IFReadIniStr(QString::fromLatin1(key.section), QString::fromLatin1(key.name),
                      QString::fromLatin1(key.defaultValue));
}

void WriteSetting(Setting setting, const QString& value) {
  const Key key = KeyOf(setting);
  IFWriteIniStr(QString::fromLatin1(key.section), QString::fromLatin1(key.name), value);
}
