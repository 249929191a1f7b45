#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

// Small hand-built PDFs for the rules that the real fixtures cannot show on their own.

// zlib (RFC 1950) data of raw; level 0 stores the bytes verbatim.
QByteArray Zlib(QByteArrayView raw, int level = 6);

// A file with one object per body: "stream" + separator + body + "\nendstream".
QByteArray PdfWithStreams(const QList<QByteArray>& bodies, QByteArrayView separator = "\r\n");

// A ToUnicode CMap with one bfchar block of "<code> <value>" lines.
QByteArray BfCharCMap(const QList<QByteArray>& lines);

// Reads a file of tests/data/pdf.
QByteArray FixtureBytes(const char* name);
QString FixturePath(const char* name);
