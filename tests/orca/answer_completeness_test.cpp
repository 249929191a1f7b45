#include <gtest/gtest.h>

#include "orca/answer_completeness.h"

// A chunked answer that lost its end still looks like text; only the document's own end tells.
TEST(AnswerCompleteness, aDocumentIsWholeOnlyWhenItClosesItsRootElement) {
  const struct {
    const char* text;
    bool leftOpen;
  } cases[] = {
      {"<?xml version=\"1.0\"?>\n<xmlio2>\n  <a type=\"string\">1</a>\n</xmlio2>\n", false},
      {"\xEF\xBB\xBF<!-- x --><!DOCTYPE r [<!ENTITY e \"v\">]>\n<r a=\"x>y\"><b/></r>", false},
      {"<xmlio2/>", false},
      {"<xmlio2>\n</xmlio2>\n<!-- written by the server -->\n", false},
      {"<xmlio2>\n  <a type=\"string\">1</a>\n", true},  // cut right after a line
      {"<xmlio2>\n  <a type=\"string\">1</a>\n</xmlio", true},
      {"<xmlio2><a>1</a></a>", true},
      {"<?xml version=\"1.0\"", true},
      {"<xmlio2 type=\"", true},
      {"", false},  // no markup: nothing to judge
      {"OK", false},
  };
  for (const auto& c : cases) EXPECT_EQ(MarkupLeftOpen(c.text), c.leftOpen) << c.text;
}
