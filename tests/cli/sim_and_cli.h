#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

#include "end_to_end_road.h"
#include "temp_program_folder.h"

struct CliRun {
  int exitCode = -1;  // -1: it crashed or did not end within the minute
  QString out;
  QString err;
};

// rinmed-cli run with the arguments and waited for.
CliRun RunCli(const QStringList& arguments);

// orca-sim started on a free port with today's demo data, and a program folder whose user.ini
// points at it — the folder rinmed-cli is given with --folder and the window's logic uses here.
// The requests travel one at a time unless a parameterised test gives another road.
class SimAndCli : public TempProgramFolder {
 protected:
  void SetUp() override;
  virtual EndToEndRoad road() const { return kEveryRoad[0]; }
  void TearDown() override;

  CliRun runCli(const QStringList& arguments) const;
  // Options for orca-sim beyond the port and the day (faults, for one).
  virtual QStringList extraSimArguments() const { return {}; }

  QProcess sim_;
};
