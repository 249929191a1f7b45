#include <gtest/gtest.h>

#include <QCoreApplication>

#include "platform/tls_backend.h"
#include "quick_exit.h"

// Tests of the logic need an event loop (network, timers) but never a display.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  UseClientCertificateTlsBackend();
  ::testing::InitGoogleTest(&argc, argv);
  return EndTestProgram(RUN_ALL_TESTS());
}
