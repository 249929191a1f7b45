#pragma once

#include <QtGlobal>
#include <memory>

// The merged ToUnicode mapping of one file: a 16-bit code to one UTF-16 code unit. Every code
// has a slot of its own, so a bfrange that spans all 65536 codes costs one pass over a flat
// table, and decoding a code is one lookup.
class CodeMap {
 public:
  CodeMap() = default;
  CodeMap(const CodeMap& other);
  CodeMap& operator=(const CodeMap& other);
  CodeMap(CodeMap&&) noexcept = default;
  CodeMap& operator=(CodeMap&&) noexcept = default;

  void insert(quint16 code, char16_t value);
  bool contains(quint16 code) const { return slots_ && slots_[code].present; }
  // The stored code unit; only meaningful when contains(code).
  char16_t value(quint16 code) const { return slots_[code].value; }
  bool isEmpty() const { return count_ == 0; }
  int size() const { return count_; }

 private:
  struct Slot {
    char16_t value = 0;
    bool present = false;
  };
  static constexpr int kCodes = 0x10000;
  std::unique_ptr<Slot[]> slots_;
  int count_ = 0;
};
