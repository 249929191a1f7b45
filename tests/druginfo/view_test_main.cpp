#include <gtest/gtest.h>

#include <QApplication>

#include "quick_exit.h"

// The view tests run real widgets on the offscreen platform, which needs a QApplication.
// Test discovery runs them without the test environment, so the platform is set here as well.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return EndTestProgram(RUN_ALL_TESTS());
}
