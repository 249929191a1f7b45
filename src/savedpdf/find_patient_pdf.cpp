#include "savedpdf/find_patient_pdf.h"

#include <QDir>

#include "pdf/stream_scan.h"
#include "savedpdf/pdf_folder.h"

std::optional<QString> FindPatientPdf(const QString& mask, const QString& patientId,
                                      const PdfAcceptanceTest& accept) {
  const QString folder = SavedPdfFolder();
  if (!QDir(folder).exists()) return std::nullopt;
  if (patientId.trimmed().isEmpty()) return std::nullopt;
  for (const QString& path : ListSavedPdfs(folder, mask)) {
    if (!IsPatientPdf(path, patientId)) continue;
    if (!accept || accept(path)) return path;
  }
  return std::nullopt;
}

bool PdfNamesPatient(const QString& path, const QString& patientName) {
  if (patientName.isEmpty()) return false;
  const QString text = ExtractTextFromPdf(path);
  return !text.isEmpty() && text.contains(patientName);
}
