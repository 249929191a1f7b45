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

OrcaConnection GetWebORCAInfo() {
  OrcaConnection c;
  c.stURL = ReadSetting(Setting::ApiUrl);
  c.stAPIKEY = ReadSetting(Setting::ApiKey);
  c.stAPIUSER = ReadSetting(Setting::ApiUser);
  c.FSelfInstCd = ReadSetting(Setting::InstitutionCode).trimmed();
  c.refreshMs = RefreshIntervalMs(ReadSetting(Setting::RefreshSeconds));
  c.parallel = ParallelRequests(ReadSetting(Setting::Parallel));
  return c;
}
