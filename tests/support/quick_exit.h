#pragma once

#include <QtGlobal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// The end of a test program. Under Wine 8 a program sometimes stays in ExitProcess after its last
// test has passed, until ctest's time-out; on Windows the test programs therefore end at once,
// their results written, without the exit of their DLLs. Elsewhere: return from main.
inline int EndTestProgram(int status) {
#ifdef Q_OS_WIN
  std::fflush(nullptr);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(status));
#endif
  return status;
}
