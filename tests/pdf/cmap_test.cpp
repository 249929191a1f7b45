#include "pdf/cmap.h"

#include <gtest/gtest.h>

#include <QString>
#include <map>

#include "pdf/pdf_error.h"

namespace {

using Entries = std::map<quint16, char16_t>;

Entries Parse(const QByteArray& cmap) {
  CodeMap map;
  ParseToUnicodeCMap(cmap, map);
  Entries entries;
  for (int code = 0; code < 0x10000; ++code)
    if (map.contains(quint16(code))) entries[quint16(code)] = map.value(quint16(code));
  return entries;
}

Entries ParseBlock(const char* kind, const QByteArray& line) {
  return Parse(QByteArray("1 begin") + kind + "\n" + line + "\nend" + kind + "\n");
}

}  // namespace

TEST(ParseToUnicodeCMap, readsTheBfcharAndBfrangeBlocksOfTheWorkedExample) {
  const QByteArray cmap =
      "2 beginbfchar\r\n<0003> <0020>\r\n<0011> <65E5>\r\nendbfchar\r\n"
      "1 beginbfrange\r\n<0020> <0022> <0041>\r\nendbfrange\r\n";
  EXPECT_EQ(Parse(cmap),
            (Entries{{0x0003, u' '}, {0x0011, u'日'}, {0x0020, u'A'}, {0x0021, u'B'}, {0x0022, u'C'}}));
}

TEST(ParseToUnicodeCMap, readsOneBfcharPairPerLine) {
  const struct {
    QByteArray line;
    Entries expected;
  } cases[] = {
      {"<0000> <0020>", {{0x0000, u' '}}},           // code 0 written as 0000 is stored
      {"<00> <0020>", {}},                           // code 0 written otherwise is not
      {"<zz> <0041>", {}},                           // an unreadable source counts as 0
      {"<0041> <00660069>", {{0x0041, u'i'}}},       // only the last code unit is kept
      {"<0041> <zz>", {{0x0041, u'\0'}}},            // an unreadable destination counts as 0
      {"<0041> <006600690066>", {{0x0041, u'\0'}}},  // more than 32 bits: unreadable
      {"<00ff> <00e9>", {{0x00FF, u'é'}}},
      {" \t<0041><0042>  ", {{0x0041, u'B'}}},
      {"<0041> <0061> <0042> <0062>", {{0x0041, u'a'}}},  // a second pair is ignored
      {"<000041> <0061>", {{0x0041, u'a'}}},
      {"<1><2>", {{0x0001, u'\x02'}}},
      {"<1>", {}},  // too short
      {"<> <0041>", {}},
      {"x<0041> <0061>", {}},
      {"<0041> 0061", {}},
      {"<0041> <0061", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseBlock("bfchar", c.line), c.expected) << c.line.toStdString();
}

TEST(ParseToUnicodeCMap, mapsBfrangeLinesConsecutivelyFromTheirFirstValue) {
  const struct {
    QByteArray line;
    Entries expected;
  } cases[] = {
      {"<0041> <0042> <00660066>", {{0x0041, u'f'}, {0x0042, u'g'}}},
      {"<0010> <0012> [<0058> <0041> <0041>]",
       {{0x0010, u'X'}, {0x0011, u'Y'}, {0x0012, u'Z'}}},                // array form
      {"<0000> <0001> <FFFF>", {{0x0000, u'\xFFFF'}, {0x0001, u'\0'}}},  // wraps in 16 bits; code 0 is kept
      {"<0042> <0041> <0061>", {}},
      {"<0041> <0042>", {}},
      {"<0041>", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseBlock("bfrange", c.line), c.expected) << c.line.toStdString();
  EXPECT_EQ(ParseBlock("bfrange", "<0000> <FFFF> <0000>").size(), 0x10000u);
}

TEST(ParseToUnicodeCMap, blocksEndAtTheirEndLineWhichStartsNothingItself) {
  EXPECT_EQ(Parse("1 beginbfchar\nendbfchar\n"), Entries{});
  // The closing line is not read for a new block, so this bfrange never starts.
  EXPECT_EQ(
      Parse("1 beginbfchar\n<0001> <0061>\nendbfchar 1 beginbfrange\n<0002> <0003> <0062>\nendbfrange\n"),
      (Entries{{0x0001, u'a'}}));
  // Without its end line a block runs to the end of the stream.
  EXPECT_EQ(Parse("1 beginbfchar\n<0001> <0061>\nendcmap\n<0002> <0062>"),
            (Entries{{0x0001, u'a'}, {0x0002, u'b'}}));
  // Lines outside blocks are not read.
  EXPECT_EQ(Parse("<0001> <0061>\n1 beginbfrange\r<0002> <0002> <0062>\rendbfrange\r<0003> <0063>"),
            (Entries{{0x0002, u'b'}}));
}

TEST(ParseToUnicodeCMap, aLaterMappingOfACodeReplacesTheEarlierOne) {
  EXPECT_EQ(Parse("2 beginbfchar\n<0041> <0061>\n<0041> <0062>\nendbfchar\n"
                  "1 beginbfrange\n<0040> <0041> <0070>\nendbfrange\n"),
            (Entries{{0x0040, u'p'}, {0x0041, u'q'}}));
}

TEST(ParseToUnicodeCMap, raisesForASourceCodeAboveFFFF) {
  const QByteArray cmaps[] = {
      "1 beginbfchar\n<10000> <0041>\nendbfchar\n",
      "1 beginbfrange\n<10000> <10001> <0041>\nendbfrange\n",
      "1 beginbfrange\n<0000> <FFFFFFFFFFFFFFFFFFFF> <0041>\nendbfrange\n",
  };
  for (const QByteArray& cmap : cmaps) {
    CodeMap map;
    EXPECT_THROW(ParseToUnicodeCMap(cmap, map), CMapRangeError) << cmap.toStdString();
  }
}
