#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/tls_backend.h"

#ifdef Q_OS_WIN
// Qt reads a file's permissions on Windows from its access list only when asked to.
extern Q_CORE_EXPORT int qt_ntfs_permission_lookup;
#endif

// Tests of the logic need an event loop (network, timers) but never a display.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  UseClientCertificateTlsBackend();
#ifdef Q_OS_WIN
  ++qt_ntfs_permission_lookup;
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
