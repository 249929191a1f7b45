#include "orca/connection.h"

#include <algorithm>

#include "core/ini_file.h"

int RefreshIntervalMs(const QString& refreshSetting) {
  bool ok = false;
  int seconds = refreshSetting.trimmed().toInt(&ok);
  if (!ok) seconds = 60;
  return std::clamp(seconds, 10, 3600) * 1000;
}

OrcaConnection GetWebORCAInfo() {
  const QString section = QStringLiteral("PARAMA");
  OrcaConnection c;
  c.stURL = IFReadIniStr(section, QStringLiteral("URL"), QString());
  c.stAPIKEY = IFReadIniStr(section, QStringLiteral("APIKEY"), QString());
  c.stAPIUSER = IFReadIniStr(section, QStringLiteral("APIUSER"), QString());
  c.FSelfInstCd = IFReadIniStr(section, QStringLiteral("KIKANCD"), QString()).trimmed();
  c.refreshMs = RefreshIntervalMs(IFReadIniStr(section, QStringLiteral("REFRESH"), QStringLiteral("60")));
  return c;
}
