#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/tls_backend.h"

// Tests of the logic need an event loop (network, timers) but never a display.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  UseClientCertificateTlsBackend();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
