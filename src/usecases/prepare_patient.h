#pragma once

#include <QDateTime>
#include <QString>
#include <exception>

#include "async/task.h"
#include "medcheck/medication_check.h"
#include "usecases/open_patient.h"

class OrcaClient;

// A patient opened and checked before anyone asked: what a double-click on their row would show.
struct PreparedPatient {
  QString patientId;
  QString patientName;
  OpenedPatient opened;           // as LoadPatient gave it, from empty lists and the current month
  MedicationCheck check;          // as the check after the opening gave it, its failure included
  std::exception_ptr checkError;  // the check's own error, raised again when the panes show it
  QDateTime preparedAt;
  // Every request brought its status-200 answer and nothing was raised: the panes are exactly those
  // an opening would show now. Otherwise they are only good for an opening that waited for them.
  bool whole = false;
};

// Opens the patient as a double-click on their row opens them (the other institutions, the saved
// PDF's months, the own history of the current month with its step back, the age), then checks the
// medication, all on `client`, whose failed requests tell whether the result is whole. An error of
// the opening (a PDF that cannot be read, a log that cannot be written) is raised.
Task<PreparedPatient> PreparePatient(OrcaClient& client, QString patientId, QString patientName);
