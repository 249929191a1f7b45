#include "medcheck/check_indicator.h"

#include <QStringList>

QString KindLabel(FindingKind kind) {
  return kind == FindingKind::Duplicate ? QStringLiteral("成分重複") : QStringLiteral("相互作用");
}

CheckIndicator IndicatorOf(const MedicationCheck& check) {
  CheckIndicator indicator;
  indicator.opensFindings = true;
  QStringList parts;
  QStringList tips;
  for (const FindingKind kind : {FindingKind::Duplicate, FindingKind::Interaction}) {
    const int n = check.count(kind);
    if (n == 0) continue;
    parts << KindLabel(kind) + QLatin1Char(' ') + QString::number(n);
    tips << KindLabel(kind) + QStringLiteral("：%1件").arg(n);
  }
  if (check.failed()) {
    parts << kCheckFailed;
    tips << kCheckFailed + QStringLiteral("：") + check.failure;
  }
  if (!check.unchecked.isEmpty()) {
    parts << kUnconfirmed + QLatin1Char(' ') + QString::number(check.unchecked.size());
    tips << kUnconfirmed + QStringLiteral("：%1剤").arg(check.unchecked.size());
  }
  if (!check.warning.isEmpty()) tips << QStringLiteral("警告：") + check.warning;

  if (parts.isEmpty()) {
    indicator.text = kNoFindings;
    indicator.tone = CheckTone::Clear;
  } else {
    indicator.text = parts.join(QStringLiteral("　"));
    indicator.tone = check.findings.isEmpty() && !check.failed() ? CheckTone::Caution : CheckTone::Alarm;
  }
  tips << QStringLiteral("クリックすると一覧を開きます");
  indicator.toolTip = tips.join(QLatin1Char('\n'));
  return indicator;
}

CheckIndicator RunningIndicator() {
  return CheckIndicator{QStringLiteral("併用・重複チェック中…"), CheckTone::Neutral, QString(), false};
}

CheckIndicator IdleIndicator() {
  return CheckIndicator{QString(), CheckTone::Neutral, QString(), false};
}
