#pragma once

#include <QDate>
#include <QString>

// The JSON text frames of ORCA's push notifications.

// The events the link subscribes to: a reception registered, changed or cancelled, and the billing of a
// visit, which changes what the list of receptions in progress shows.
inline const QString kPatientAcceptEvent = QStringLiteral("patient_accept");
inline const QString kPatientAccountEvent = QStringLiteral("patient_account");

QString SubscribeFrame(const QString& event, const QString& requestId);

// One event as the list needs it: which day's receptions it changed.
struct PushEvent {
  QString name;       // patient_accept or patient_account
  QDate day;          // the reception's day (Accept_Date; for billing, Perform_Date)
  QString patientId;  // as sent, zero-padded
};

struct PushFrame {
  enum class Kind {
    Unreadable,  // not JSON, or an event without a name or a day: ignored
    Subscribed,
    Event,
    Error,  // the server gave up on something the client sent
    Other,  // a command the client does not know
  };
  Kind kind = Kind::Unreadable;
  QString requestId;  // "req.id", when the frame had one
  QString message;    // of an error
  PushEvent event;
};

PushFrame ReadPushFrame(const QString& text);
