#include "pdf/find_bytes.h"

#include <gtest/gtest.h>

struct FindCase {
  QByteArray data;
  QByteArray pattern;
  qsizetype start;
  qsizetype expected;
};

TEST(FindBytes, findsTheFirstMatchAtOrAfterTheStart) {
  const FindCase cases[] = {
      {"abcabc", "bc", 0, 1},
      {"abcabc", "bc", 2, 4},
      {"abcabc", "bc", 5, -1},  // past the last possible start: no comparison at all
      {"aab", "ab", 0, 1},
      {"abc", "abcd", 0, -1},
      {"abc", "", 1, 1},  // an empty pattern matches where the search starts
      {"abc", "", 3, 3},
      {"abc", "", 4, -1},
      {"streaM stream", "stream", 0, 7},  // case matters
      {QByteArray("\x00\xffx\x00\xff", 5), QByteArray("\x00\xff", 2), 1, 3},
      {"abc", "a", -5, 0},
  };
  for (const FindCase& c : cases)
    EXPECT_EQ(FindBytes(c.data, c.pattern, c.start), c.expected)
        << c.data.toStdString() << " / " << c.pattern.toStdString();
}
