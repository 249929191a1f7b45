#include "druginfo/drug_info_ui.h"

#include "core/core_error.h"

std::unique_ptr<PrintJob> DrugInfoUi::BeginPrintJob() {
  throw CoreError(QStringLiteral("既定のプリンターがありません。"));
}
