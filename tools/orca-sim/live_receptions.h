#pragma once

#include <QTime>
#include <optional>

#include "demo_data.h"

// Changes to a day's demo data while the simulator runs: receptions made and billed through the control
// calls, or by themselves with --push-every.

// Receives the patient today after the day's last reception, in the department of the patient's first
// reception (内科 when there is none), in progress. Its index in `receptions`; nothing for an unknown
// patient.
std::optional<qsizetype> AppendReception(DemoData& d, int patient);
// Bills the patient's last reception of today that is still in progress, at the later of `clock` and its
// reception time, and makes it a visit of the clinic's own records. Its index; nothing when there is none.
std::optional<qsizetype> BillLastOpenReception(DemoData& d, int patient, const QTime& clock);
// The reception's Acceptance_Id, five digits: acceptlstv2 numbers each day's receptions in order.
QString AcceptanceId(const DemoData& d, qsizetype index);
