#include "platform/shell_open.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <shellapi.h>

#include <QDir>
#else
#include <QDesktopServices>
#endif

bool OpenWithShell(const QUrl& target) {
#ifdef Q_OS_WIN
  const bool file = target.isLocalFile();
  const QString what =
      file ? QDir::toNativeSeparators(target.toLocalFile()) : target.toString(QUrl::FullyEncoded);
  const HINSTANCE result =
      ShellExecuteW(nullptr, file ? nullptr : L"open", reinterpret_cast<LPCWSTR>(what.utf16()), nullptr,
                    nullptr, SW_SHOWNORMAL);
  // Values above 32 mean success.
  return reinterpret_cast<INT_PTR>(result) > 32;
#else
  return QDesktopServices::openUrl(target);
#endif
}
