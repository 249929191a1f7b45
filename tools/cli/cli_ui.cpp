#include "cli_ui.h"

#include "cli_output.h"

void CliDrugInfoUi::MessageBox(MessageKind kind, const QString& text) {
  ++messageCount_;
  const QString label = kind == MessageKind::Warning       ? QStringLiteral("警告")
                        : kind == MessageKind::Information ? QStringLiteral("情報")
                                                           : QStringLiteral("エラー");
  PrintError(label + QStringLiteral(": ") + text);
}
