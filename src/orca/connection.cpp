#include "orca/connection.h"

#include <algorithm>

#include "core/user_settings.h"

int RefreshIntervalMs(const QString& refreshSetting) {
  bool ok = false;
  int seconds = refreshSetting.trimmed().toInt(&ok);
  if (!ok) seconds = 60;
  return std::clamp(seconds, 10, 3600) * 1000;
}

int ParallelRequests(const QString& parallelSetting) {
  bool ok = false;
  const int parallel = parallelSetting.trimmed().toInt(&ok);
  return ok && parallel >= 1 && parallel <= 8 ? parallel : OrcaConnection::kDefaultParallel;
}

OrcaConnection ReadConnection() {
  OrcaConnection c;
  c.baseUrl = ReadSetting(Setting::ApiUrl);
  c.apiKey = ReadSetting(Setting::ApiKey);
  c.apiUser = ReadSetting(Setting::ApiUser);
  c.ownInstitutionCode = ReadSetting(Setting::InstitutionCode).trimmed();
  c.refreshMs = RefreshIntervalMs(ReadSetting(Setting::RefreshSeconds));
  c.parallel = ParallelRequests(ReadSetting(Setting::Parallel));
  return c;
}
