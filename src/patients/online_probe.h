#pragma once

#include <QString>

#include "async/task.h"

class OrcaClient;

// Sends up to three probes, one after another, and stops at the first that proves information:
// a dispensing month, a treatment record of another institution that is neither the clinic nor a
// pharmacy, or a check-up. No answer to the first probe ends the test without a mark.
Task<bool> HasOnlineInformation(OrcaClient& client, QString patientId, QString selfInstCd);
