#include "pdf/code_map.h"

#include <algorithm>

CodeMap::CodeMap(const CodeMap& other) : count_(other.count_) {
  if (other.slots_) {
    slots_ = std::make_unique<Slot[]>(kCodes);
    std::copy_n(other.slots_.get(), kCodes, slots_.get());
  }
}

CodeMap& CodeMap::operator=(const CodeMap& other) {
  if (this != &other) *this = CodeMap(other);
  return *this;
}

void CodeMap::insert(quint16 code, char16_t value) {
  // The table is allocated on first use: most streams of most files never map anything.
  if (!slots_) slots_ = std::make_unique<Slot[]>(kCodes);
  Slot& slot = slots_[code];
  if (!slot.present) ++count_;
  slot.present = true;
  slot.value = value;
}
