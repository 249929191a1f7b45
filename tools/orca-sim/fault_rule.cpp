#include "fault_rule.h"

#include <QRegularExpression>

bool FaultRule::matches(const QString& callName, const QString& path, int requestPatient) const {
  if (!call.isEmpty() && call != callName && call != path) return false;
  return patient == 0 || patient == requestPatient;
}

std::optional<FaultRule> ParseFaultRule(const QString& text, QString* error) {
  static const QRegularExpression form(QStringLiteral("^([^=:]*)(?::([0-9]+))?=(.+)$"));
  static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
  const QRegularExpressionMatch m = form.match(text.trimmed());
  if (!m.hasMatch()) {
    *error = QStringLiteral("--fail %1: expected KEY=ACTION").arg(text);
    return std::nullopt;
  }
  FaultRule rule;
  const QString key = m.captured(1).trimmed();
  const bool anyRequest = key == QLatin1String("*") && m.captured(2).isEmpty();
  if (anyRequest) {
  } else if (digits.match(key).hasMatch() && m.captured(2).isEmpty()) {
    rule.patient = key.toInt();
  } else {
    rule.call = key;
    rule.patient = m.captured(2).toInt();
  }
  QString action = m.captured(3).trimmed().toLower();
  bool ok = true;
  static const QRegularExpression times(QStringLiteral("^(.+)\\*([0-9]+)$"));
  if (const QRegularExpressionMatch counted = times.match(action); counted.hasMatch()) {
    action = counted.captured(1).trimmed();
    rule.times = counted.captured(2).toInt(&ok);
    ok = ok && rule.times > 0;
  }
  static const QRegularExpression share(QStringLiteral("^(.+)%([0-9]+)$"));
  if (const QRegularExpressionMatch drawn = share.match(action); ok && drawn.hasMatch()) {
    action = drawn.captured(1).trimmed();
    rule.percent = drawn.captured(2).toInt(&ok);
    ok = ok && rule.percent > 0 && rule.percent <= 100 && rule.times == 0;
  }
  if (!ok) {
  } else if (action == QLatin1String("drop")) {
    rule.kind = FaultRule::Drop;
  } else if (action == QLatin1String("garbage")) {
    rule.kind = FaultRule::Garbage;
  } else if (action == QLatin1String("badxml")) {
    rule.kind = FaultRule::BadXml;
  } else if (action.startsWith(QLatin1String("wait:"))) {
    rule.kind = FaultRule::Wait;
    rule.value = action.mid(5).toInt(&ok);
    ok = ok && rule.value >= 0;
  } else {
    rule.kind = FaultRule::Status;
    rule.value = action.toInt(&ok);
    ok = ok && rule.value >= 100 && rule.value <= 599;
  }
  if (!ok || (rule.call.isEmpty() && rule.patient == 0 && !anyRequest)) {
    *error = QStringLiteral("--fail %1: unknown key or action").arg(text);
    return std::nullopt;
  }
  return rule;
}
