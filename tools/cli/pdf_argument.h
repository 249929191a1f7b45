#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The FILE of the pdf-* commands. The reader takes a missing file for one without text, which
// would hide a mistyped name from support staff, so it is refused here with a message on stderr.
// nullopt: the command ends with `exitCode`.
std::optional<QString> PdfFileArgument(const QStringList& arguments, const QString& command, int* exitCode);
