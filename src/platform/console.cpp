#include "platform/console.h"

#include <QString>
#include <QtGlobal>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

void UseUtf8Console() {
#ifdef Q_OS_WIN
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void WriteUtf8(std::FILE* stream, const QByteArray& utf8) {
#ifdef Q_OS_WIN
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
    std::fflush(stream);
    const QString text = QString::fromUtf8(utf8);
    DWORD written = 0;
    WriteConsoleW(handle, text.utf16(), static_cast<DWORD>(text.size()), &written, nullptr);
    return;
  }
#endif
  std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stream);
}
