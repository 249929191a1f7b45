#include "savedpdf/pdf_folder.h"

#include <QDir>
#include <QFileInfo>

#include "core/program_folder.h"
#include "core/user_settings.h"

const SavedPdfKind& DrugPdfKind() {
  static const SavedPdfKind kind{QStringLiteral("YZK*.pdf"),
                                 QStringLiteral("該当患者の薬剤PDFが見つかりませんでした。")};
  return kind;
}

const SavedPdfKind& CheckUpPdfKind() {
  static const SavedPdfKind kind{QStringLiteral("TKK*.pdf"),
                                 QStringLiteral("該当患者の特定健診PDFが見つかりませんでした。")};
  return kind;
}

QString SavedPdfFolder() {
  const QString folder = ReadSetting(Setting::PdfFolder);
  return folder.trimmed().isEmpty() ? ProgramFolder() : folder;
}

QStringList ListSavedPdfs(const QString& folder, const QString& mask) {
  QDir dir(folder);
  dir.setNameFilters({mask});
  // Name filters match without regard to case unless QDir::CaseSensitive is set. Hidden files are
  // listed too, as a Windows folder listing shows them.
  dir.setFilter(QDir::Files | QDir::Hidden);
  dir.setSorting(QDir::Unsorted);
  QStringList paths;
  for (const QString& name : dir.entryList()) paths << dir.filePath(name);
  return paths;
}

QString PatientPdfKey(const QString& patientId) {
  return QStringLiteral("_") + patientId + QStringLiteral("X");
}

bool IsPatientPdf(const QString& path, const QString& patientId) {
  return QFileInfo(path).fileName().contains(PatientPdfKey(patientId), Qt::CaseSensitive);
}
