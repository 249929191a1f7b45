#pragma once

#include <QString>

// The folder of the executable: user.ini, Log.txt, the dump files and the patient cache live here.
// Tests point it at a temporary folder.
QString ProgramFolder();
void SetProgramFolder(const QString& folder);

// ProgramFolder() + "/" + name.
QString ProgramFile(const QString& name);
