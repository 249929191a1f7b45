#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

#include "qt_printers.h"
#include "settings/settings_ui.h"
#include "windowmodel/headless_desktop.h"

// Records what the settings logic asks of the desktop and answers its dialogs from a script:
// an empty optional is the user cancelling.
class RecordingSettingsUi : public HeadlessDesktop<SettingsUi> {
 public:
  void MessageBox(MessageKind kind, const QString& text) override { messages.emplace_back(kind, text); }
  bool SelectFolder(const QString& title, const QString& startFolder, QString* chosen) override {
    dialogs << QStringLiteral("folder: ") + title + QStringLiteral(" @") + startFolder;
    if (!folderAnswer) return false;
    *chosen = *folderAnswer;
    return true;
  }
  bool SelectFile(const QString& title, const QString& filter, QString* chosen) override {
    dialogs << QStringLiteral("open: ") + title + QStringLiteral(" | ") + filter;
    if (!fileAnswer) return false;
    *chosen = *fileAnswer;
    return true;
  }
  QString InputBox(const QString& title, const QString& prompt, const QString& defaultText) override {
    dialogs << QStringLiteral("input: ") + title + QStringLiteral(" | ") + prompt + QStringLiteral(" | ") +
                   defaultText;
    return inputAnswer ? *inputAnswer : defaultText;
  }

  std::vector<std::pair<MessageKind, QString>> messages;
  QStringList dialogs;
  std::optional<QString> folderAnswer;
  std::optional<QString> fileAnswer;
  std::optional<QString> inputAnswer;
};
