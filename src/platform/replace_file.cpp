#include "platform/replace_file.h"

#ifdef Q_OS_WIN
#include <windows.h>

#include <QDir>
#else
#include <filesystem>
#include <system_error>
#endif

bool MoveIntoPlace(const QString& from, const QString& to, QString* error) {
#ifdef Q_OS_WIN
  const QString source = QDir::toNativeSeparators(from);
  const QString target = QDir::toNativeSeparators(to);
  if (MoveFileExW(reinterpret_cast<LPCWSTR>(source.utf16()), reinterpret_cast<LPCWSTR>(target.utf16()),
                  MOVEFILE_REPLACE_EXISTING))
    return true;
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, code, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  *error = (text ? QString::fromWCharArray(text).trimmed() : QString()) + QStringLiteral(" (%1)").arg(code);
  LocalFree(text);
  return false;
#else
  std::error_code failure;
  std::filesystem::rename(from.toStdU16String(), to.toStdU16String(), failure);
  if (!failure) return true;
  *error = QString::fromLocal8Bit(failure.message());
  return false;
#endif
}
