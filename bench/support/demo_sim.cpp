#include "demo_sim.h"

#include "core/user_settings.h"

QString StartSim(QProcess& sim, const QStringList& arguments) {
  sim.start(ORCA_SIM_EXECUTABLE, QStringList{"--port", "0"} + arguments);
  sim.waitForReadyRead(10000);
  const QString url = QString::fromUtf8(sim.readLine()).trimmed().section(' ', -1);
  WriteSetting(Setting::ApiUrl, url + QStringLiteral("/api/"));
  WriteSetting(Setting::ApiUser, QStringLiteral("ormaster"));
  WriteSetting(Setting::ApiKey, QStringLiteral("ormaster"));
  WriteSetting(Setting::InstitutionCode, QStringLiteral("1234567"));
  return url;
}
