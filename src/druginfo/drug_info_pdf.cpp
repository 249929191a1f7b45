// The patient's saved PDFs in the window: the two buttons, and the load step that adds the
// institution months of the drug-information PDF.
#include <QUrl>

#include "core/user_settings.h"
#include "druginfo/drug_info_logic.h"
#include "savedpdf/drug_pdf_merge.h"
#include "savedpdf/pdf_buttons.h"

void DrugInfoLogic::BtnPDFYClick() {
  CarryOutPdfButton(::BtnPDFYClick(FPatientID));
}

void DrugInfoLogic::BtnPDFTClick() {
  CarryOutPdfButton(::BtnPDFTClick(FPatientID));
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

// KIKANNAME is read when the step runs, so a change in the settings counts from the next patient.
void DrugInfoLogic::MergeSavedDrugPdf(TainLists& lists) const {
  ::MergeSavedDrugPdf(lists,
                      {FPatientID, FPatientName, FSelfInstCd(), ReadSetting(Setting::InstitutionName)});
}
