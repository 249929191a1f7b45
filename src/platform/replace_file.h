#pragma once

#include <QString>

// Puts the file `from` in the place of `to` in one step, replacing a file already there, so that a
// reader sees the old file or the new one and never a part. False with the system's reason when
// that fails.
bool MoveIntoPlace(const QString& from, const QString& to, QString* error);
