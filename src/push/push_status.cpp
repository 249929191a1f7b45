#include "push/push_status.h"

PushIndicator IndicatorOf(const PushStatus& status) {
  if (status.state == PushState::Connected) {
    return {QStringLiteral("自動更新"),
            QStringLiteral("ORCA の通知を受けて、受付の変更をすぐに一覧へ反映します")};
  }
  const QString fallback = QStringLiteral("一覧は設定の更新間隔ごとに読み直します");
  return {QStringLiteral("定期更新"),
          status.reason.isEmpty() ? fallback : status.reason + QLatin1Char('\n') + fallback};
}

QString RetryText(int retryInMs) {
  const int seconds = (retryInMs + 999) / 1000;
  if (seconds >= 60 && seconds % 60 == 0) return QStringLiteral("%1 分後").arg(seconds / 60);
  return QStringLiteral("%1 秒後").arg(seconds);
}
