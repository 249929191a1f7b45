#include "pdf/text_operators.h"

#include <gtest/gtest.h>

#include <QList>

#include "pdf/cid_text.h"
#include "pdf/cmap.h"

using namespace Qt::StringLiterals;

namespace {

CodeMap WorkedExampleMap() {
  CodeMap map;
  ParseToUnicodeCMap(
      "2 beginbfchar\n<0003> <0020>\n<0011> <65E5>\nendbfchar\n1 beginbfrange\n<0020> <0022> "
      "<0041>\nendbfrange\n",
      map);
  return map;
}

// A, B, C at 0041..0043, z at 0000, and three codes made of ASCII pairs for literal strings.
CodeMap LetterMap() {
  CodeMap map;
  ParseToUnicodeCMap(
      "1 beginbfrange\n<0041> <0043> <0041>\nendbfrange\n"
      "4 beginbfchar\n<0000> <007A>\n<6128> <0050>\n<6229> <0051>\n<0063> <0052>\nendbfchar\n",
      map);
  return map;
}

}  // namespace

TEST(ExtractTextFromStream, decodesTheWorkedExample) {
  const QByteArray content =
      "BT\n<00200021>Tj\n(\\000\\021)Tj\n[<0022>-250<0003>]TJ\n[(\\000\\021)]TJ\n<0005>Tj\nET\n";
  EXPECT_EQ(ExtractTextFromStream(content, WorkedExampleMap()), u"AB日C ?????"_s);
}

TEST(ExtractTextFromStream, givesNothingWithoutAnyMapping) {
  EXPECT_EQ(ExtractTextFromStream("<0041>Tj\n", CodeMap()), QString());
}

TEST(ExtractTextFromStream, appliesTheTjAndTJRulesLineByLine) {
  const struct {
    QByteArray stream;
    QString expected;
  } cases[] = {
      {"<0041>Tj", u"A"_s},
      {"<0041>Tj <0042>Tj", u"A"_s},  // a second Tj adds nothing of its own
      {"Tj<0041>", u""_s},            // fewer than two characters before the operator
      {"<00 41>Tj", u"z"_s},          // pairs "00" and " 4": code 0000
      {"<004>Tj", u"z"_s},            // odd last digit dropped: lone byte 00
      {"<0041Tj>", u"Az"_s},          // Tj: the string ends at the first ">" anywhere later
      {"<0041 TJ >", u""_s},          // TJ: it must end before the operator
      {"(a(b)c)Tj", u"PQR"_s},        // nested parentheses stay in the string
      {"(A Tj B)", u"???"_s},         // a Tj literal may run past the operator
      {"(abc Tj", u""_s},             // unterminated: the "(" is skipped
      {"<0041 (0042)Tj", u"??"_s},    // unterminated hex, then a literal inside it
      {"[<0041>-250<0042>]TJ", u"AB"_s},
      {"[(A)]TJ ET", u"A"_s},             // TJ followed by a blank
      {"[(A)]TJET", u""_s},               // TJ followed by anything else
      {"[(a(b)c)]TJ", u"P"_s},            // TJ literals end at the first ")"
      {"<0041>Tj [<0042>]TJ", u"AAB"_s},  // both rules read the line
      {"[<0041>]TJ <0042>Tj", u"ABA"_s},  // an array before a Tj is read twice
      {"<0041>\nTj", u""_s},              // the string and its operator on two lines
      {"[<0041>\n<0042>]TJ", u"B"_s},     // only the line that ends with TJ counts
      {"<0041>Tj\r<0042>Tj\r\n<0043>Tj\n<0041>Tj", u"ABCA"_s},
      {"<0041>\rTj", u""_s},
      {"((c)Tj", u"R"_s},      // the outer "(" never closes; the inner one does
      {"\\((c)Tj", u"R"_s},    // the same after a backslash
      {"(a\\)c)Tj", u"?R"_s},  // an escaped ")" does not close the literal
  };
  const CodeMap map = LetterMap();
  for (const auto& c : cases)
    EXPECT_EQ(ExtractTextFromStream(c.stream, map), c.expected) << c.stream.toStdString();
}

TEST(ExtractTextFromStream, readsLongLinesOfUnterminatedStringsInOnePass) {
  // Each unterminated string is searched to the end of the line; a hostile stream of them must
  // not make the extraction take hours.
  const qsizetype n = 1'000'000;
  const CodeMap map = LetterMap();
  EXPECT_EQ(ExtractTextFromStream(QByteArray(n, '(') + "Tj", map), QString());
  EXPECT_EQ(ExtractTextFromStream(QByteArray(n, '<') + "(c)Tj", map), u"R"_s);
  EXPECT_EQ(ExtractTextFromStream("[" + QByteArray(n, '(') + "<0041>]TJ", map), u"A"_s);
  EXPECT_EQ(ExtractTextFromStream("[" + QByteArray(n, '<') + "(c)]TJ", map), u"R"_s);
}

TEST(ExtractTextFromStream, unescapesTjLiteralsByTheEscapeTable) {
  // Every code 00xx maps to U+01xx, so each decoded character shows the byte after "\000".
  CodeMap map;
  ParseToUnicodeCMap("1 beginbfrange\n<0000> <00FF> <0100>\nendbfrange\n", map);
  const struct {
    QByteArray escape;
    QList<int> bytes;
  } cases[] = {
      {"\\n", {0x0A}},          {"\\r", {0x0D}},        {"\\t", {0x09}},   {"\\b", {0x08}},
      {"\\f", {0x0C}},          {"\\(", {0x28}},        {"\\)", {0x29}},   {"\\\\", {0x5C}},
      {"\\7", {0x07}},          {"\\77", {0x3F}},       {"\\777", {0xFF}}, {"\\101", {0x41}},
      {"\\0777", {0x3F, 0x37}}, {"\\18", {0x01, 0x38}}, {"\\q", {0x71}},   {"x", {0x78}},
  };
  for (const auto& c : cases) {
    QString expected;
    // After "\000" the first byte forms code 00xx; a second byte is a lone last byte 0x37/0x38.
    for (int b : c.bytes) expected += QChar(0x100 + b);
    EXPECT_EQ(ExtractTextFromStream("(\\000" + c.escape + ")Tj", map), expected) << c.escape.toStdString();
  }
}

TEST(DecodeCIDText, decodesTwoBytesPerCodeAndALoneLastByteAsOneCode) {
  CodeMap map;
  map.insert(0x0041, u'A');
  map.insert(0x0042, u'B');
  const QByteArray data("\x00\x41\x12\x34\x00\x42\x42", 7);
  EXPECT_EQ(DecodeCIDText(data, 0, 7, map), u"A?BB"_s);
  EXPECT_EQ(DecodeCIDText(data, 0, 5, map), u"A?"_s);  // lone 00 unmapped: nothing
  EXPECT_EQ(DecodeCIDText(data, 4, 2, map), u"B"_s);
}
