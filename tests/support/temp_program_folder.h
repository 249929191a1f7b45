#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include "qt_printers.h"

// Gives each test an empty program folder of its own and a real clock again afterwards.
class TempProgramFolder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString path(const QString& name) const;
  QByteArray readFile(const QString& name) const;
  void writeFile(const QString& name, const QByteArray& bytes) const;
  // Lines of Log.txt in the program folder without their timestamps.
  QStringList logMessages() const;

  QTemporaryDir dir_;
};
