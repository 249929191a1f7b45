#pragma once

// What the fuzz targets share: how an input is cut into parameters and answers, a check that ends
// the run like a crash, and a program folder of their own.
#include <QByteArray>
#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>

// An input is parameter lines, then after a NUL byte its parts (answers, files), one after another,
// split by NUL bytes. Answers never hold NUL, so the fuzzer can change one part without moving another.
class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size);

  QString param(int index) const;    // the parameter line decoded as UTF-8; "" when missing
  QByteArray part(int index) const;  // empty when missing

 private:
  QList<QByteArray> params_;
  QList<QByteArray> parts_;
};

// A broken promise of a reader: reported and ended like a crash, so libFuzzer keeps the input.
[[noreturn]] void FuzzCheckFailed(const char* condition, const char* file, int line);
#define FUZZ_CHECK(condition) ((condition) ? void() : FuzzCheckFailed(#condition, __FILE__, __LINE__))

// The readers log and keep files in the program's folder. A temporary folder stands in for it, its
// Log.txt a link to /dev/null, so that millions of runs neither touch the repository nor fill the disk.
void UseTemporaryProgramFolder();
