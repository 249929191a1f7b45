#include "tainhistory/drug_get_parse.h"

#include <QDomDocument>
#include <QDomElement>
#include <QXmlStreamReader>
#include <optional>

#include "core/log.h"
#include "orca/response_reader.h"
#include "tainhistory/institution_codes.h"

namespace {

// One institution entry of the drug summary. ORCA writes the dispensing institution's lines before
// the prescriber's, so an entry is judged only when its record has ended, whatever the order of its
// lines.
class SummaryEntry {
 public:
  void setDispensingCode(const QString& v) {
    open_ = true;
    dispensingCode_ = v;
  }
  void setDispensingName(const QString& v) {
    open_ = true;
    dispensingName_ = v;
  }
  void setPrescriberCode(const QString& v) {
    open_ = true;
    if (!v.isEmpty()) prescriberCode_ = v;
  }
  void setPrescriberName(const QString& v) {
    open_ = true;
    if (!v.isEmpty()) prescriberName_ = v;
  }

  // The prescriber when given, the dispensing institution otherwise. An entry without code lines
  // keeps the code of the one before it; a name that could not be placed for want of a month stays
  // for the next entry, ahead of a dispensing name but behind a prescriber's.
  void close(const QString& month, const QString& selfInstCd, QStringList& instMonthMap) {
    if (!open_) return;
    if (!prescriberCode_.isEmpty())
      code_ = prescriberCode_;
    else if (dispensingCode_)
      code_ = *dispensingCode_;
    QString name = !prescriberName_.isEmpty() ? prescriberName_
                   : !carriedName_.isEmpty()  ? carriedName_
                                              : dispensingName_.value_or(QString());
    if (!month.isEmpty() && !name.isEmpty()) {
      if (!EndsWithInstCd(code_, selfInstCd) && !IsPharmacyInstCd(code_)) {
        AppendUnlessPresent(instMonthMap, name + QLatin1Char('|') + month);
      }
      name.clear();
    }
    carriedName_ = name;
    dispensingCode_.reset();
    dispensingName_.reset();
    prescriberCode_.clear();
    prescriberName_.clear();
    open_ = false;
  }

 private:
  bool open_ = false;
  QString code_;
  QString carriedName_;
  std::optional<QString> dispensingCode_;
  std::optional<QString> dispensingName_;
  QString prescriberCode_;
  QString prescriberName_;
};

QString ChildText(const QDomElement& parent, const QString& name) {
  return parent.firstChildElement(name).text();
}

qint32 WholeNumberOrZero(const QString& text) {
  bool ok = false;
  const qint32 value = TrimBlanksAndControls(text).toInt(&ok, 10);
  return ok ? value : 0;
}

QList<TDrugItem> DrugsOf(const QDomElement& event) {
  QList<TDrugItem> drugs;
  const QDomElement list =
      event.firstChildElement(QStringLiteral("DrugInfs")).firstChildElement(QStringLiteral("DrugInf"));
  for (QDomElement d = list.firstChildElement(); !d.isNull(); d = d.nextSiblingElement()) {
    drugs.append(TDrugItem{ChildText(d, QStringLiteral("DrugN")), ChildText(d, QStringLiteral("Qua1")),
                           ChildText(d, QStringLiteral("Unit")),
                           WholeNumberOrZero(ChildText(d, QStringLiteral("Times"))),
                           ChildText(d, QStringLiteral("MeTrIdCl")), ChildText(d, QStringLiteral("DrugC")),
                           ChildText(d, QStringLiteral("IngreN"))});
  }
  return drugs;
}

TPrescription PrescriptionOf(const QDomElement& event, const QString& month) {
  TPrescription p;
  p.InstitutionCd = ChildText(event, QStringLiteral("PrlsHCd"));
  p.InstitutionName = ChildText(event, QStringLiteral("PrlsHNm"));
  if (TrimBlanksAndControls(p.InstitutionCd).isEmpty()) {
    p.InstitutionCd = ChildText(event, QStringLiteral("MeTrDiHCd"));
    p.InstitutionName = ChildText(event, QStringLiteral("MeTrDiHNm"));
  }
  // Year and month come from the month asked; the answer only gives the day.
  p.PrescDate = month.mid(0, 4) + month.mid(5, 2) + ChildText(event, QStringLiteral("DiDay"));
  p.Drugs = DrugsOf(event);
  return p;
}

// ORCA nests a drug answer a dozen levels deep. QDomDocument slows down with the depth and frees
// its tree recursively: a document nested a hundred thousand levels deep took minutes and then
// overflowed the stack. Such a document is refused before it is built.
constexpr int kMaxDepth = 256;

// Where the document first nests deeper than kMaxDepth; nothing when it never does. A malformed
// document is left to QDomDocument to report.
std::optional<QString> TooDeep(const QByteArray& answer) {
  QXmlStreamReader reader(answer);
  int depth = 0;
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::EndElement) --depth;
    if (token == QXmlStreamReader::StartElement && ++depth > kMaxDepth) {
      return QStringLiteral("Elements nested deeper than %1 levels (line %2, column %3)")
          .arg(kMaxDepth)
          .arg(reader.lineNumber())
          .arg(reader.columnNumber());
    }
  }
  return std::nullopt;
}

void LogDrugGet02Error(const QString& message) {
  WrtLog(GetLogTxt(), QStringLiteral("ParseOnlineDrugGet02 Error: ") + message);
}

}  // namespace

void ParseOnlineDrugGet01(const QStringList& answerLines, const QString& selfInstCd, TainLists& lists,
                          QString* birthDate) {
  lists.monthList.clear();
  lists.institutionMonths.clear();
  QString month;
  SummaryEntry entry;
  QString value;
  // The months and institutions are those of the month list: ORCA also echoes the start month asked
  // for at the top of the answer, whether or not it has data.
  ElementSpan list(QStringLiteral("MeTrMonth_Information"));
  for (const QString& line : answerLines) {
    if (ElementValue(line, QStringLiteral("BirthDate"), &value)) *birthDate = value;
    if (!list.inside(line)) continue;
    if (ElementValue(line, QStringLiteral("MeTrMonth"), &value)) {
      entry.close(month, selfInstCd, lists.institutionMonths);
      month = value;
      AppendUnlessPresent(lists.monthList, month);
    }
    if (ElementValue(line, QStringLiteral("MeTrDiHCd"), &value)) entry.setDispensingCode(value);
    if (ElementValue(line, QStringLiteral("PrlsHCd"), &value)) entry.setPrescriberCode(value);
    if (ElementValue(line, QStringLiteral("PrlsHNm"), &value)) entry.setPrescriberName(value);
    if (ElementValue(line, QStringLiteral("MeTrDiHNm"), &value)) entry.setDispensingName(value);
    if (line.contains(QStringLiteral("</MeTrD_Inf_child>"))) {
      entry.close(month, selfInstCd, lists.institutionMonths);
    }
  }
  entry.close(month, selfInstCd, lists.institutionMonths);
}

bool ParseOnlineDrugGet02(const QByteArray& answer, const QString& month, TainLists& lists) {
  if (const std::optional<QString> tooDeep = TooDeep(answer)) {
    LogDrugGet02Error(*tooDeep);
    return false;
  }
  QDomDocument document;
  QString message;
  int line = 0;
  int column = 0;
  if (!document.setContent(answer, &message, &line, &column)) {
    LogDrugGet02Error(QStringLiteral("%1 (line %2, column %3)").arg(message).arg(line).arg(column));
    return false;
  }

  const QDomElement months = document.documentElement()
                                 .firstChildElement(QStringLiteral("onlinedruggetres"))
                                 .firstChildElement(QStringLiteral("MeTrMonthInf"));
  if (months.isNull()) return false;
  for (QDomElement m = months.firstChildElement(); !m.isNull(); m = m.nextSiblingElement()) {
    const QDomElement days =
        m.firstChildElement(QStringLiteral("DiDateInfs")).firstChildElement(QStringLiteral("DiDateInf"));
    for (QDomElement e = days.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
      lists.prescriptions.append(PrescriptionOf(e, month));
    }
  }
  return true;
}
