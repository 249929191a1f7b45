#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "async/task.h"
#include "patients/patient_search.h"
#include "windowmodel/message_kind.h"

class OrcaClient;

// A search by number: ORCA's patient answer names the patient, who is then opened.
struct NumberSearch {
  std::optional<UserMessage> message;  // why nobody is opened
  QString name;                        // the patient's name, when found
  QString number;  // the number asked for: as typed, a number of digits without leading zeros
};

// Asks ORCA for the patient with the number typed (digits lose their leading zeros, so that
// "00012" is the patient the list shows as 12) and records a patient found in the patient cache. A blank base
// URL, no answer and an answer without a name each give their box.
Task<NumberSearch> FindPatientByNumber(OrcaClient& client, QString number);

// A search by name in the patient cache.
struct NameSearch {
  std::optional<UserMessage> message;  // no cache, or nobody found
  QList<CachedPatient> hits;           // in cache order; one hit is opened by number
};

NameSearch FindPatientsByName(const QString& text);
