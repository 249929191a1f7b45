// The other institutions' text handed to other programs: the clipboard and the default printer.
#include "druginfo/drug_info_logic.h"
#include "windowmodel/print_lines.h"

void DrugInfoLogic::BtnCopyClick() {
  ui_.SetClipboardText(controls_.MemoTain.text());
}

void DrugInfoLogic::BtnPrintClick() {
  PrintLines(ui_, controls_.MemoTain.lines);
}
