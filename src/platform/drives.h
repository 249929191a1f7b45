#pragma once

#include <QString>
#include <QStringList>

// Empties the list and fills it with the root of every present drive: the lettered roots "C:\" on
// Windows, the mount points of the ready volumes elsewhere.
void GetDriveList(QStringList& list);

// Whether a folder path lies on one of the listed drives. On Windows the first character must be
// the drive letter of a listed root, compared exactly (so "c:\" does not match "C:\"); elsewhere
// the path must be absolute and lie below a listed mount point.
bool IsOnListedDrive(const QString& folder, const QStringList& drives);
