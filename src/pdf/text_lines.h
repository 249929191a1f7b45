#pragma once

#include <QByteArrayView>

// Splits an inflated stream into lines at CR, LF and CR LF without copying. Each stream byte
// stands for the character of the same value, so the lines are searched as bytes. A last line
// without a break is a line; an empty stream has none.
class TextLines {
 public:
  explicit TextLines(QByteArrayView data) : data_(data) {}
  bool atEnd() const { return pos_ >= data_.size(); }
  QByteArrayView next();

 private:
  // Font programs and images are long binary streams: the next CR and the next LF are each
  // found once with memchr and remembered, instead of testing every byte for both.
  qsizetype nextOf(char c, qsizetype& cached) const;

  QByteArrayView data_;
  qsizetype pos_ = 0;
  qsizetype nextCr_ = -1;
  qsizetype nextLf_ = -1;
};

// The line without leading and trailing blanks and control characters (bytes up to 0x20).
QByteArrayView TrimLine(QByteArrayView line);
