#pragma once

#include <QDate>
#include <QList>
#include <QStringList>

#include "patients/acceptance_list.h"

class OrcaClient;
#include "usecases/patient_grid.h"

// What the commands that list a day (list, watch) share: their arguments and their rows.
struct DayArguments {
  QDate day;
  ListMode mode = ListMode::All;
};

// [yyyy-mm-dd] [--in-progress], the day today when none is named. Nothing, after saying what is wrong
// on stderr.
std::optional<DayArguments> ParseDayArguments(const QStringList& arguments);

// Points the client at the server of user.ini; false, after printing the window's warning, when
// none is configured.
bool ConnectToConfiguredServer(OrcaClient& client);

// The patient grid's rows as the window would show the patients, header first.
QStringList ListingRows(const QList<ListedPatient>& patients);
