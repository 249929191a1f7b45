#include "savedpdf/pdf_buttons.h"

#include <QDir>

namespace {

PdfButtonAction Message(MessageKind kind, const QString& text) {
  PdfButtonAction action;
  action.kind = PdfButtonAction::Kind::Message;
  action.messageKind = kind;
  action.message = text;
  return action;
}

}  // namespace

PdfButtonAction PdfButtonClick(const SavedPdfKind& kind, const QString& patientId) {
  const QString folder = SavedPdfFolder();
  if (!QDir(folder).exists()) return {};
  if (patientId.trimmed().isEmpty()) return Message(MessageKind::Warning, kSelectPatientMessage);
  for (const QString& path : ListSavedPdfs(folder, kind.mask)) {
    if (IsPatientPdf(path, patientId)) {
      PdfButtonAction action;
      action.kind = PdfButtonAction::Kind::Open;
      action.file = path;
      return action;
    }
  }
  // An empty listing and a listing without the patient's file say the same.
  return Message(MessageKind::Information, kind.notFoundMessage);
}

PdfButtonAction DrugPdfAction(const QString& patientId) {
  return PdfButtonClick(DrugPdfKind(), patientId);
}

PdfButtonAction CheckUpPdfAction(const QString& patientId) {
  return PdfButtonClick(CheckUpPdfKind(), patientId);
}
