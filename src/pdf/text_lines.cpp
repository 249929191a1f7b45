#include "pdf/text_lines.h"

#include <algorithm>
#include <cstring>

qsizetype TextLines::nextOf(char c, qsizetype& cached) const {
  if (cached < pos_) {
    const void* hit = std::memchr(data_.data() + pos_, c, static_cast<size_t>(data_.size() - pos_));
    cached = hit ? static_cast<const char*>(hit) - data_.data() : data_.size();
  }
  return cached;
}

QByteArrayView TextLines::next() {
  const qsizetype brk = std::min(nextOf('\r', nextCr_), nextOf('\n', nextLf_));
  const QByteArrayView line = data_.sliced(pos_, brk - pos_);
  pos_ = brk;
  if (brk < data_.size()) {
    ++pos_;
    if (data_[brk] == '\r' && pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  }
  return line;
}

QByteArrayView TrimLine(QByteArrayView line) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  qsizetype b = 0;
  qsizetype e = line.size();
  while (b < e && blank(line[b])) ++b;
  while (e > b && blank(line[e - 1])) --e;
  return line.sliced(b, e - b);
}
