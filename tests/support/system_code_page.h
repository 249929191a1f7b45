#pragma once

#include <QByteArray>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The bytes a text has in the system code page, given as its UTF-8 (Linux) and its code page 932
// (a Japanese Windows; the Windows tests run under Wine in the Japanese locale). Empty on a Windows
// with another code page, where the tests of these bytes are skipped.
inline QByteArray InSystemCodePage(const QByteArray& utf8, const QByteArray& cp932) {
#ifdef Q_OS_WIN
  Q_UNUSED(utf8);
  return GetACP() == 932 ? cp932 : QByteArray();
#else
  Q_UNUSED(cp932);
  return utf8;
#endif
}
