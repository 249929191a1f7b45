#pragma once

#include <QString>
#include <QStringList>

// "Certificates (*.pfx;*.p12)|*.pfx;*.p12|All (*.*)|*.*" as the name filters of a Qt file dialog,
// which takes the patterns from the parentheses, separated by blanks.
QStringList QtNameFilters(const QString& filter);
