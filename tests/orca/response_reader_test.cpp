#include "orca/response_reader.h"
#include "orca/request_template.h"
#include "temp_program_folder.h"

namespace {

class ResponseReader : public TempProgramFolder {};

TEST_F(ResponseReader, readsUtf8LinesWithoutMarkOrCarriageReturns) {
  const QStringList lines = ResponseLines(
      "\xEF\xBB\xBF<xmlio2>\r\n  <WholeName type=\"string\">試験 花子</WholeName>\n</xmlio2>\n");
  EXPECT_EQ(lines,
            QStringList({"<xmlio2>", "<WholeName type=\"string\">試験 花子</WholeName>", "</xmlio2>"}));
}

TEST(ResponseLines, dropsTheMarkAndTheBlanksBetweenElements) {
  const struct {
    QByteArray answer;
    QStringList lines;
  } cases[] = {
      {"", {}},
      {"\xEF\xBB\xBF<a>\r\n<b>", {"<a>", "<b>"}},
      {"<a>\n\n", {"<a>"}},
      {"not XML at all", {"not XML at all"}},
      {"<a type=\"record\"><b", {"<a type=\"record\"><b"}},  // a "<" that opens nothing is text
  };
  for (const auto& c : cases) EXPECT_EQ(ResponseLines(c.answer), c.lines) << c.answer.toStdString();
}

// ORCA's classic server writes one element a line; WebORCA's layout is not known. Every layout of
// the same document gives the readers the same lines.
TEST(ResponseLines, anyLayoutOfADocumentGivesTheSameLines) {
  const QByteArray classic =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<xmlio2>\n"
      "  <acceptlstres type=\"record\">\n"
      "    <Api_Result type=\"string\">00</Api_Result>\n"
      "    <Acceptlst_Information type=\"array\">\n"
      "      <Acceptlst_Information_child type=\"record\">\n"
      "        <Patient_Information type=\"record\">\n"
      "          <Patient_ID type=\"string\">00012</Patient_ID>\n"
      "          <WholeName type=\"string\">K&amp;S　花子</WholeName>\n"
      "        </Patient_Information>\n"
      "        <Memo type=\"string\">一行目\n"
      "二行目</Memo>\n"
      "      </Acceptlst_Information_child>\n"
      "    </Acceptlst_Information>\n"
      "  </acceptlstres>\n"
      "</xmlio2>\n";
  QByteArray compact = classic;
  compact.replace("\n  ", "").replace("  ", "").replace(">\n<", "><");
  ASSERT_FALSE(compact.contains(">\n<")) << compact.toStdString();
  QByteArray crlf = classic;
  crlf.replace("\n", "\r\n").replace("  ", "\t");
  QByteArray quoted = classic;
  quoted.replace("<WholeName type=\"string\">", "<WholeName  type = 'string' >")
      .replace("<Patient_ID type=\"string\">00012</Patient_ID>",
               "<!-- -->\n<Patient_ID type=\"string\"><![CDATA[00012]]></Patient_ID>");
  const QStringList expected{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>",
                             "<xmlio2>",
                             "<acceptlstres type=\"record\">",
                             "<Api_Result type=\"string\">00</Api_Result>",
                             "<Acceptlst_Information type=\"array\">",
                             "<Acceptlst_Information_child type=\"record\">",
                             "<Patient_Information type=\"record\">",
                             "<Patient_ID type=\"string\">00012</Patient_ID>",
                             "<WholeName type=\"string\">K&amp;S　花子</WholeName>",
                             "</Patient_Information>",
                             "<Memo type=\"string\">一行目",  // a value with a line break runs on
                             "二行目</Memo>",
                             "</Acceptlst_Information_child>",
                             "</Acceptlst_Information>",
                             "</acceptlstres>",
                             "</xmlio2>"};
  for (const QByteArray& layout : {classic, compact, crlf, quoted}) {
    EXPECT_EQ(ResponseLines(layout), expected) << layout.toStdString();
  }
}

TEST(ResponseLines, anEmptyElementIsAStartAndAnEndTag) {
  EXPECT_EQ(ResponseLines("<r type=\"record\"><X type=\"string\"/><Y a=\"1>2\" type=\"string\">v</Y></r>"),
            (QStringList{"<r type=\"record\">", "<X type=\"string\"></X>",
                         "<Y a=\"1>2\" type=\"string\">v</Y>", "</r>"}));
}

TEST_F(ResponseReader, takesTheValueBetweenTheFirstTagsTrimmedAndDecoded) {
  struct Case {
    QString line;
    QString element;
    bool holds;
    QString value;
  };
  const Case cases[] = {
      {"    <Patient_ID type=\"string\">00012</Patient_ID>", "Patient_ID", true, "00012"},
      {"<WholeName type=\"string\"> 見本　次郎 \t</WholeName>", "WholeName", true, "見本　次郎"},
      {"<WholeName type=\"string\">A&amp;B &lt;C&gt; &quot;q&quot; &apos;&#x41;&#66;</WholeName>",
       "WholeName", true, "A&B <C> \"q\" 'AB"},
      {"<WholeName type=\"string\">R&D &bogus; &#xD800; &</WholeName>", "WholeName", true,
       "R&D &bogus; &#xD800; &"},
      {"<WholeName type=\"string\">first line", "WholeName", true, "first line"},
      {"<Patient_Information type=\"record\">", "Patient_Information", false, ""},
      {"<patient_id type=\"string\">1</patient_id>", "Patient_ID", false, ""},
      {"<Patient_ID>1</Patient_ID>", "Patient_ID", false, ""},
  };
  for (const Case& c : cases) {
    QString value;
    EXPECT_EQ(ElementValue(c.line, c.element, &value), c.holds) << c.line.toStdString();
    if (c.holds) {
      EXPECT_EQ(value, c.value) << c.line.toStdString();
    }
  }
}

TEST(RequestTemplate, replacesOnlyTheFirstPlaceholderAsItIs) {
  const QString body = "<data>  <x type=\"string\">XXXXX</x><y type=\"string\">XXXXX</y></data>";
  EXPECT_EQ(FillTemplate(body, "XXXXX", "12"),
            "<data>  <x type=\"string\">12</x><y type=\"string\">XXXXX</y></data>");
  EXPECT_EQ(FillTemplate("no placeholder", "RR", "01"), "no placeholder");
}

}  // namespace
