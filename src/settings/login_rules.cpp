#include "settings/login_rules.h"

QString CloudBaseUrl() {
  return QStringLiteral(RINMED_CLOUD_BASE_URL);
}

QString ConnectionTestUrl(const QString& baseUrl, const QString& apiPath, bool onPremise,
                          const QString& ipAddress) {
  if (onPremise)
    return QStringLiteral("http://") + ipAddress.trimmed() + QStringLiteral(":8000/api/") + apiPath;
  return baseUrl + apiPath;
}

QString LoginResultText(int status) {
  switch (status) {
    case 200:
      return QStringLiteral("ログイン成功 Code=200");
    case 401:
      return QStringLiteral("認証失敗 Code=401");
    default:
      return QStringLiteral("ログイン失敗 Code=") + QString::number(status);
  }
}
