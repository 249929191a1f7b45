#pragma once

#include "demo_data.h"

// Patient 1003 and the clinic's own records of several visits a day, dated in days back from the day:
// 内科 and 整形外科 ten days ago, and two 内科 visits three days ago (sequential numbers 1 and 2), each
// with drugs of its own, one of them a drug whose master has no unit name. Received on no day and
// without online information, so that no other answer changes.
void AddVisitPatient(DemoData& d);
