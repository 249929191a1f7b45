#include "platform/console.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

void UseUtf8Console() {
#ifdef Q_OS_WIN
  SetConsoleOutputCP(CP_UTF8);
#endif
}
