#include "savedpdf/drug_pdf_merge.h"

#include <QFileInfo>

#include "core/log.h"
#include "pdf/institution_months.h"
#include "savedpdf/find_patient_pdf.h"
#include "savedpdf/pdf_folder.h"
#include "tainhistory/institution_codes.h"

namespace {

// True when the name is one of the clinic's own: the entries of the clinic's own printout would
// otherwise show up as another institution in the grid.
bool NamesOwnClinic(const QString& name, const QList<TPrescription>& prescList,
                    const SavedDrugPdfContext& context) {
  if (context.selfInstCd.isEmpty()) return false;
  if (!context.kikanName.isEmpty() && name.contains(context.kikanName)) return true;
  for (const TPrescription& p : prescList) {
    if (EndsWithInstCd(p.InstitutionCd, context.selfInstCd) && !p.InstitutionName.isEmpty() &&
        name.contains(p.InstitutionName)) {
      return true;
    }
  }
  return false;
}

}  // namespace

void MergeSavedDrugPdf(TainLists& lists, const SavedDrugPdfContext& context) {
  const std::optional<QString> file =
      FindPatientPdf(DrugPdfKind().mask, context.patientId,
                     [&](const QString& path) { return PdfNamesPatient(path, context.patientName); });
  if (!file) return;

  WrtLog(GetLogTxt(), QStringLiteral("PDF患者名一致: ") + QFileInfo(*file).fileName());
  QStringList entries;
  ExtractInstitutionMonths(*file, entries);
  WrtLog(GetLogTxt(), QStringLiteral("PDF抽出件数: ") + QString::number(entries.size()));
  for (const QString& entry : entries) WrtLog(GetLogTxt(), QStringLiteral("PDF: ") + entry);

  for (const QString& entry : entries) {
    const qsizetype eq = entry.indexOf(u'=');
    const QString name = eq < 0 ? QString() : entry.left(eq);
    if (!IsInstitutionName(name)) continue;
    if (NamesOwnClinic(name, lists.prescriptions, context)) continue;
    AppendUnlessPresent(lists.treatmentMonths, entry);
  }
}
