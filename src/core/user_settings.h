#pragma once

#include <QString>

// Every key of user.ini, each named once here. Reads go to the file every time (nothing is
// cached), so a change made by the settings window counts from the next read.
enum class Setting {
  ApiUrl,           // [PARAMA] URL: the cloud API's base URL; blank means not configured
  ApiKey,           // [PARAMA] APIKEY: the API key, or the ORCA password on premises
  ApiUser,          // [PARAMA] APIUSER
  ConnectionTest,   // [PARAMA] API: the connection test's path, written only
  PdfFolder,        // [PARAMA] SAVETXT: where the eligibility terminal saves its PDFs
  ServerAddress,    // [PARAMA] IPADR: the on-premise server
  InstitutionCode,  // [PARAMA] KIKANCD: the clinic's own institution code
  InstitutionName,  // [PARAMA] KIKANNAME: the clinic's name as its PDFs print it
  RefreshSeconds,   // [PARAMA] REFRESH: the list's refresh interval, "60" when absent
  MedCheckDays,     // [PARAMA] MEDCHECKDAYS: days a finished supply stays in the medication check, "90"
  MedCheckMonths,   // [PARAMA] MEDCHECKMONTHS: months of the clinic's records ORCA checks against, "3"
  Parallel,         // [PARAMA] PARALLEL: requests at once to the server, 1..8, "4" when absent
  PushUrl,          // [PARAMA] PUSHURL: the push notifications' WebSocket; blank means derived
  Push,             // [PARAMA] PUSH: "0" turns push notifications off; anything else leaves them on
  Prepare,  // [PARAMA] PREPARE: "0" turns preparing the waiting patients off; anything else leaves it on
  ConnectionMode,  // [COKBN] CHCK: "1" cloud, "2" on premises
  LogFile,         // [FIRST] LOG: another place for Log.txt
};

// The stored value (trimmed, as the profile-string rules give it) or the key's default.
QString ReadSetting(Setting setting);
// Raises CoreError "<path> に書き込めません" when the file cannot be written.
void WriteSetting(Setting setting, const QString& value);
