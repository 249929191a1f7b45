#pragma once

#include "demo_data.h"

// The medication check's two demo patients with their drugs, dated in days back from the day:
// 1001 takes amlodipine from two institutions under two codes, its ingredient written in two widths;
// 1002 takes warfarin from one institution and loxoprofen from another (an interacting pair of the
// demo master), a drug the demo's price master does not know, and famotidine beside the clinic's
// own magnesium oxide (a pair of the clinic's own check master). Added after everything else, so
// that no other patient's answer changes.
void AddCheckPatients(DemoData& d);
