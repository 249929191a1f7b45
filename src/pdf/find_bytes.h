#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The smallest offset >= startPos at which pattern occurs in data, or -1. An empty pattern
// matches at startPos; a startPos past the last possible match gives -1. A negative startPos
// searches from the start.
qsizetype FindBytes(QByteArrayView data, QByteArrayView pattern, qsizetype startPos);
