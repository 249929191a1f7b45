// Feeds arbitrary bytes to the answer line reader: the layout brought to one element a line, every
// element the program reads, the trimming and the character references.
#include <QByteArray>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "orca/response_reader.h"

namespace {

// Every element some reader of the program looks for.
const QStringList kElements = {
    QStringLiteral("Api_Result"),        QStringLiteral("Acceptance_Id"),
    QStringLiteral("Account_Time"),      QStringLiteral("Patient_ID"),
    QStringLiteral("WholeName"),         QStringLiteral("BirthDate"),
    QStringLiteral("MeTrMonth"),         QStringLiteral("MeTrDiHCd"),
    QStringLiteral("MeTrDiHNm"),         QStringLiteral("PrlsHCd"),
    QStringLiteral("PrlsHNm"),           QStringLiteral("InOut"),
    QStringLiteral("EffectiveTime"),     QStringLiteral("Perform_Calendar"),
    QStringLiteral("Perform_Date"),      QStringLiteral("Department_Code"),
    QStringLiteral("Medical_Class"),     QStringLiteral("Medical_Class_Number"),
    QStringLiteral("Medication_Code"),   QStringLiteral("Medication_Name"),
    QStringLiteral("Medication_Number"), QStringLiteral("Unit_Code_Name"),
};

void CheckTrimmed(const QString& text) {
  const QString trimmed = TrimBlanksAndControls(text);
  FUZZ_CHECK(trimmed.isEmpty() || (trimmed.front().unicode() > 0x20 && trimmed.back().unicode() > 0x20));
  FUZZ_CHECK(text.contains(trimmed));
  FUZZ_CHECK(TrimBlanksAndControls(trimmed) == trimmed);
}

void CheckDecoded(const QString& text) {
  const QString decoded = DecodeXmlReferences(text);
  // A reference is never shorter than what it stands for, and text without one stays as it is.
  FUZZ_CHECK(decoded.size() <= text.size());
  if (!text.contains(QLatin1Char('&'))) FUZZ_CHECK(decoded == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray answer(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = ResponseLines(answer);
  // The first line also serves as an element name, so that names the program never asks for are tried.
  const QString extra = lines.value(0).left(64);
  QString value;
  for (const QString& line : lines) {
    FUZZ_CHECK(!line.contains(QLatin1Char('\n')));
    for (const QString& element : kElements) ElementValue(line, element, &value);
    if (ElementValue(line, extra, &value)) FUZZ_CHECK(line.contains(OpeningTag(extra)));
    CheckTrimmed(line);
    CheckDecoded(line);
  }
  return 0;
}
