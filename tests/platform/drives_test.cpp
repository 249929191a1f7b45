#include <gtest/gtest.h>

#include <QDir>

#include "platform/drives.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

TEST(Drives, listTheSystemDriveAndOnlyPresentOnes) {
  QStringList drives{"stale"};
  GetDriveList(drives);
  ASSERT_FALSE(drives.contains("stale"));
#ifdef Q_OS_WIN
  wchar_t windows[MAX_PATH];
  ASSERT_GT(GetSystemWindowsDirectoryW(windows, MAX_PATH), 0u);
  const QString system = QString(QChar(windows[0])) + ":\\";
  EXPECT_TRUE(drives.contains(system)) << drives.join(' ').toStdString();
  for (const QString& root : drives) {
    EXPECT_GT(GetDriveTypeW(reinterpret_cast<LPCWSTR>(root.utf16())), 1u) << root.toStdString();
  }
  // Roots in letter order, as "X:\".
  QStringList sorted = drives;
  sorted.sort();
  EXPECT_EQ(drives, sorted);
  EXPECT_TRUE(IsOnListedDrive(system + "Windows", drives));
  EXPECT_FALSE(IsOnListedDrive(system.toLower() + "Windows", drives));
#else
  EXPECT_TRUE(drives.contains("/")) << drives.join(' ').toStdString();
  EXPECT_TRUE(IsOnListedDrive(QDir::tempPath(), drives));
  EXPECT_FALSE(IsOnListedDrive("relative/folder", drives));
#endif
}

}  // namespace
