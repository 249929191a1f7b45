#include "sim_control.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

int CallSim(const QString& simUrl, const QString& call, int patient, const QSslConfiguration& tls) {
  return CallSimForm(simUrl, call, "Patient_ID=" + QByteArray::number(patient), tls);
}

int CallSimForm(const QString& simUrl, const QString& call, const QByteArray& form,
                const QSslConfiguration& tls) {
  QNetworkAccessManager manager;
  QNetworkRequest request(QUrl(simUrl + call));
  request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
  request.setRawHeader("Authorization", "Basic " + QByteArray("ormaster:ormaster").toBase64());
  if (simUrl.startsWith(QLatin1String("https"))) request.setSslConfiguration(tls);
  QNetworkReply* reply = manager.post(request, form);
  QEventLoop loop;
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  loop.exec();
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  reply->deleteLater();
  return status;
}
