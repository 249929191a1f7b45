#include "push/push_target.h"

#include "core/user_settings.h"
#include "orca/connection.h"

namespace {

const QString kOnPremiseMode = QStringLiteral("2");
// ORCA's pusher, beside an ORCA without WebORCA.
constexpr int kClassicPusherPort = 9400;

// Only the server is taken from the API's URL: its path, query and any user part are the API's.
QUrl FromApiUrl(const QString& apiUrl) {
  const QUrl api(apiUrl.trimmed(), QUrl::TolerantMode);
  const QString scheme = api.scheme().toLower();
  if (!api.isValid() || api.host().isEmpty() ||
      (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
    return {};
  QUrl push;
  push.setScheme(scheme == QLatin1String("https") ? QStringLiteral("wss") : QStringLiteral("ws"));
  push.setHost(api.host());
  push.setPort(api.port());
  push.setPath(QStringLiteral("/ws"));
  return push;
}

}  // namespace

QUrl PushAddress(const QString& pushUrl, const QString& connectionMode, const QString& serverAddress,
                 const QString& apiUrl, bool classicApi) {
  if (!pushUrl.trimmed().isEmpty()) return QUrl(pushUrl.trimmed(), QUrl::TolerantMode);
  // As the request transport: on premises without an address, the URL is used.
  const bool onPremises = connectionMode.trimmed() == kOnPremiseMode && !serverAddress.trimmed().isEmpty();
  QUrl push = onPremises
                  ? QUrl(QStringLiteral("ws://") + serverAddress.trimmed() + QStringLiteral(":8000/ws"),
                         QUrl::TolerantMode)
                  : FromApiUrl(apiUrl);
  if (classicApi && !push.isEmpty()) {
    push.setScheme(QStringLiteral("ws"));
    push.setPort(kClassicPusherPort);
  }
  return push;
}

bool PushEnabled(const QString& pushSetting) {
  return pushSetting.trimmed() != QLatin1String("0");
}

PushTarget ReadPushTarget(bool classicApi) {
  const OrcaConnection connection = ReadConnection();
  const QString mode = ReadSetting(Setting::ConnectionMode);
  PushTarget target;
  target.enabled = PushEnabled(ReadSetting(Setting::Push));
  target.url = PushAddress(ReadSetting(Setting::PushUrl), mode, ReadSetting(Setting::ServerAddress),
                           connection.baseUrl, classicApi);
  target.user = connection.apiUser.trimmed();
  target.key = connection.apiKey.trimmed();
  target.tls12Only = mode.trimmed() != kOnPremiseMode;
  return target;
}
