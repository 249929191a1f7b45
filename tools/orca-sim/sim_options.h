#pragma once

#include <QString>
#include <QStringList>

#include "orca_sim.h"

enum class ParseOutcome { Run, Help, Error };

// Reads orca-sim's command line (arguments[0] is the program). On Help or Error, `message` holds the
// text to print.
ParseOutcome ParseSimOptions(const QStringList& arguments, SimOptions* options, QString* message);
