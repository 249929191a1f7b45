#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "usecases/open_patient.h"

class OrcaClient;

// The commands that take NUMBER open the patient as the window's search by number does.
struct OpenedByNumber {
  QString number;
  OpenedPatient opened;
};

// Opens the patient named by the one argument of `command`. A wrong command line or a message of
// the search is printed and gives nothing, with the exit status in `exitStatus`.
std::optional<OpenedByNumber> OpenByNumber(OrcaClient& client, const QStringList& arguments,
                                           const QString& command, int* exitStatus);
