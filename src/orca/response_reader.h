#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// Answers are read line by line, one element a line.

// The answer decoded as UTF-8 (a byte-order mark dropped), one element a line whatever the layout
// it came in (see ElementLines).
QStringList ResponseLines(const QByteArray& answer);

// `<Name type="string">`, the text whose presence marks a line as holding the element.
QString OpeningTag(const QString& element);

// When the line holds the element: true, and the value — the line without the first opening and
// the first closing tag, trimmed of blanks and control characters, with XML character references
// decoded.
bool ElementValue(const QString& line, const QString& element, QString* value);

// Trims every character up to U+0020 from both ends.
QString TrimBlanksAndControls(const QString& text);

// &amp; &lt; &gt; &quot; &apos; and numeric references; a text without "&" comes back unchanged.
QString DecodeXmlReferences(const QString& text);

// Follows a record or an array of that name through an answer's lines, which must be given in
// order: a line lies inside it from the line after its start tag to the line before its end tag.
// ORCA uses one name at several depths (MeTrMonth, Patient_ID, InOut …), so a reader that wants one
// of them asks where the line stands.
class ElementSpan {
 public:
  explicit ElementSpan(const QString& element);
  bool inside(const QString& line);

 private:
  QString start_;
  QString end_;
  int depth_ = 0;
};
