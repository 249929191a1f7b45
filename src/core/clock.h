#pragma once

#include <QDateTime>
#include <functional>

// The computer's local date and time. Tests replace the source to reach moments such as midnight.
QDateTime Now();
QDate Today();
void SetClockForTesting(std::function<QDateTime()> source);  // an empty function restores the real clock
