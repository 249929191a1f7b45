#include "savedpdf/tkk_month.h"

#include <QDateTime>
#include <QFileInfo>

#include "pdf/date_extract.h"
#include "savedpdf/find_patient_pdf.h"
#include "savedpdf/pdf_folder.h"

QString GetTkkMonth(const QString& path) {
  QString month = ExtractDateFromPdf(path);
  if (month.trimmed().isEmpty()) {
    month = QFileInfo(path).lastModified().toLocalTime().toString(QStringLiteral("yyyy-MM"));
  }
  return month;
}

std::optional<QString> CheckUpPdfMonthOf(const QString& patientId) {
  const std::optional<QString> file = FindPatientPdf(CheckUpPdfKind().mask, patientId);
  if (!file) return std::nullopt;
  return GetTkkMonth(*file);
}

std::optional<QString> CheckUpFallbackOf(const TainLists& lists, const QString& patientId) {
  if (!lists.checkUpDates.isEmpty()) return std::nullopt;
  return CheckUpPdfMonthOf(patientId);
}
