#include "push/push_frames.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QDate DayOf(const QString& text) {
  return QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
}

// The day whose list the event changes; the day of the event's own time ("yyyy-MM-ddTHH:mm:ss+0900")
// when the body does not say.
QDate EventDay(const QString& name, const QJsonObject& data) {
  const QJsonObject body = data.value(QStringLiteral("body")).toObject();
  const QString field =
      name == kPatientAccountEvent ? QStringLiteral("Perform_Date") : QStringLiteral("Accept_Date");
  const QDate day = DayOf(body.value(field).toString());
  if (day.isValid()) return day;
  const QString time = data.value(QStringLiteral("time")).toString();
  return time.size() > 10 && time.at(10) == QLatin1Char('T') ? DayOf(time.left(10)) : QDate();
}

PushFrame ReadEvent(PushFrame frame, const QJsonObject& data) {
  const QString name = data.value(QStringLiteral("event")).toString();
  const QDate day = EventDay(name, data);
  if (name.isEmpty() || !day.isValid()) return {};
  frame.kind = PushFrame::Kind::Event;
  frame.event = {
      name, day,
      data.value(QStringLiteral("body")).toObject().value(QStringLiteral("Patient_ID")).toString()};
  return frame;
}

}  // namespace

QString SubscribeFrame(const QString& event, const QString& requestId) {
  const QJsonObject frame{{QStringLiteral("command"), QStringLiteral("subscribe")},
                          {QStringLiteral("req.id"), requestId},
                          {QStringLiteral("event"), event}};
  return QString::fromUtf8(QJsonDocument(frame).toJson(QJsonDocument::Compact));
}

PushFrame ReadPushFrame(const QString& text) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) return {};
  const QJsonObject object = document.object();
  PushFrame frame;
  frame.requestId = object.value(QStringLiteral("req.id")).toString();
  const QString command = object.value(QStringLiteral("command")).toString();
  if (command == QLatin1String("subscribed")) {
    frame.kind = PushFrame::Kind::Subscribed;
  } else if (command == QLatin1String("event")) {
    return ReadEvent(frame, object.value(QStringLiteral("data")).toObject());
  } else if (command == QLatin1String("error")) {
    frame.kind = PushFrame::Kind::Error;
    frame.message = object.value(QStringLiteral("message")).toString();
  } else {
    frame.kind = PushFrame::Kind::Other;
  }
  return frame;
}
