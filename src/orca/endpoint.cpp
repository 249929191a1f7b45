#include "orca/endpoint.h"

#include <QUrl>
#include <algorithm>

#include "core/user_settings.h"

QString EncodeApiPath(const QString& apiPath) {
  const qsizetype question = apiPath.indexOf(QLatin1Char('?'));
  if (question < 0) return apiPath;
  const qsizetype equals = apiPath.indexOf(QLatin1Char('='), question);
  if (equals < 0) return apiPath;
  const QString value = apiPath.mid(equals + 1);
  const bool plain = std::all_of(value.begin(), value.end(), [](QChar c) {
    return c.unicode() < 128 && QChar::isLetterOrNumber(c.unicode());
  });
  if (plain) return apiPath;
  return apiPath.left(equals + 1) + QString::fromLatin1(QUrl::toPercentEncoding(value, {}, "-._~"));
}

Endpoint ResolveEndpoint(const QString& baseUrl, const QString& apiPath) {
  const QString path = EncodeApiPath(apiPath);
  const QString mode = ReadSetting(Setting::ConnectionMode).trimmed();
  const QString address = ReadSetting(Setting::ServerAddress).trimmed();
  Endpoint e;
  e.url = baseUrl + path;
  e.restrictTo12 = mode != QLatin1String("2");
  if (mode == QLatin1String("2") && !address.isEmpty()) {
    e.url = QStringLiteral("http://") + address + QStringLiteral(":8000/api/") + path;
  }
  return e;
}

std::optional<ClassicForm> ClassicFormOf(const QString& url) {
  const qsizetype scheme = url.indexOf(QLatin1String("://"));
  const qsizetype pathStart = url.indexOf(QLatin1Char('/'), scheme < 0 ? 0 : scheme + 3);
  if (pathStart < 0) return std::nullopt;
  const qsizetype queryStart = url.indexOf(QLatin1Char('?'), pathStart);
  const QLatin1String webOrcaPath("/api/api01rv2/");
  const qsizetype at = url.indexOf(webOrcaPath, pathStart);
  if (at < 0 || (queryStart >= 0 && at > queryStart)) return std::nullopt;
  return ClassicForm{url.left(at) + url.mid(at + 4), url.left(at)};
}
