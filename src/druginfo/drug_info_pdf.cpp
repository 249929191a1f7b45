// The patient's saved PDFs in the window: the two buttons.
#include <QUrl>

#include "druginfo/drug_info_logic.h"
#include "savedpdf/pdf_buttons.h"

void DrugInfoLogic::BtnPDFYClick() {
  CarryOutPdfButton(DrugPdfAction(FPatientID));
}

void DrugInfoLogic::BtnPDFTClick() {
  CarryOutPdfButton(CheckUpPdfAction(FPatientID));
}

void DrugInfoLogic::CarryOutPdfButton(const PdfButtonAction& action) {
  switch (action.kind) {
    case PdfButtonAction::Kind::Nothing:
      break;
    case PdfButtonAction::Kind::Open:
      ui_.OpenWithDefaultProgram(QUrl::fromLocalFile(action.file));
      break;
    case PdfButtonAction::Kind::Message:
      ui_.MessageBox(action.messageKind, action.message);
      break;
  }
}
