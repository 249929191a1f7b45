#pragma once

#include <QString>

#include "savedpdf/pdf_folder.h"
#include "windowmodel/message_kind.h"

// What a click on PDF_Y or PDF_T comes to. The window opens `file` in the desktop's default PDF
// viewer without waiting for it, or shows `message` in a box with the single button OK.
struct PdfButtonAction {
  enum class Kind { Nothing, Open, Message };
  Kind kind = Kind::Nothing;
  QString file;  // Open: full path
  MessageKind messageKind = MessageKind::Information;
  QString message;  // Message

  bool operator==(const PdfButtonAction&) const = default;
};

inline const QString kSelectPatientMessage = QStringLiteral("患者を選択してください。");

// Nothing when the PDF folder does not exist (even without a patient); the warning
// kSelectPatientMessage when no patient is selected; otherwise the first file of the listing that
// matches the kind's mask and carries the patient's key, or the kind's not-found message as
// information. The file's text is not read.
PdfButtonAction PdfButtonClick(const SavedPdfKind& kind, const QString& patientId);

// The two buttons: drug information (YZK) and check-up (TKK).
PdfButtonAction DrugPdfAction(const QString& patientId);
PdfButtonAction CheckUpPdfAction(const QString& patientId);
