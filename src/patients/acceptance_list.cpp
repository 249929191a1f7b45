#include "patients/acceptance_list.h"

#include "orca/request_template.h"
#include "orca/response_reader.h"

namespace {

const QString kBodyTemplate = QStringLiteral(
    "<data>  <acceptlstreq type=\"record\">    <Acceptance_Date type=\"string\">YYYY-MM-DD</Acceptance_Date>"
    "  </acceptlstreq></data>");

struct ReceptionReader {
  QList<Reception> receptions;
  Reception current;

  void flush() {
    if (!TrimBlanksAndControls(current.patientId).isEmpty()) receptions.append(current);
  }
};

}  // namespace

QString AcceptanceListBody(const QDate& day) {
  return FillTemplate(kBodyTemplate, QStringLiteral("YYYY-MM-DD"),
                      day.toString(QStringLiteral("yyyy-MM-dd")));
}

QList<Reception> ReadReceptions(const QStringList& lines) {
  ReceptionReader reader;
  const QString acceptanceId = OpeningTag(QStringLiteral("Acceptance_Id"));
  QString value;
  for (const QString& line : lines) {
    // One line may hold several elements when an answer comes without line breaks: every test
    // runs on every line, in this order.
    if (line.contains(acceptanceId)) {
      reader.flush();
      reader.current = Reception();
    }
    if (ElementValue(line, QStringLiteral("Account_Time"), &value)) reader.current.accountTime = value;
    if (ElementValue(line, QStringLiteral("Patient_ID"), &value)) {
      reader.current.patientId = NormalisePatientNumber(value);
    }
    if (ElementValue(line, QStringLiteral("WholeName"), &value) &&
        TrimBlanksAndControls(reader.current.name).isEmpty()) {
      reader.current.name = value;
    }
  }
  reader.flush();
  return reader.receptions;
}

bool ListedInMode(const Reception& reception, ListMode mode) {
  return mode == ListMode::All || TrimBlanksAndControls(reception.accountTime).isEmpty();
}
