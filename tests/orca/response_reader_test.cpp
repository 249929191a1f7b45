#include "orca/response_reader.h"
#include "orca/request_template.h"
#include "temp_program_folder.h"

namespace {

class ResponseReader : public TempProgramFolder {};

TEST_F(ResponseReader, readsUtf8LinesWithoutMarkOrCarriageReturns) {
  const QStringList lines = ResponseLines(
      "\xEF\xBB\xBF<xmlio2>\r\n  <WholeName type=\"string\">試験 花子</WholeName>\n</xmlio2>\n");
  EXPECT_EQ(lines,
            QStringList({"<xmlio2>", "  <WholeName type=\"string\">試験 花子</WholeName>", "</xmlio2>", ""}));
}

TEST(ResponseLines, splitsAnAnswerInMemoryAtLineFeedsDroppingTheMarkAndOneCarriageReturn) {
  const struct {
    QByteArray answer;
    QStringList lines;
  } cases[] = {
      {"", {""}},
      {"\xEF\xBB\xBF<a>\r\n<b>", {"<a>", "<b>"}},
      {"<a>\n\n", {"<a>", "", ""}},
      {"\xEF\xBB\xBF\xEF\xBB\xBF<a>\r\r\n", {"\uFEFF<a>\r", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(ResponseLines(c.answer), c.lines) << c.answer.toStdString();
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
