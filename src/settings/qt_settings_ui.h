#pragma once

#include <functional>

#include "settings/settings_ui.h"

class QWidget;

// The desktop services of the settings window, done with Qt dialogs.
class QtSettingsUi : public SettingsUi {
 public:
  // `showModels` brings the widgets up to date with the logic's models before a box appears.
  QtSettingsUi(QWidget* window, std::function<void()> showModels);

  void MessageBox(MessageKind kind, const QString& text) override;
  bool SelectFolder(const QString& title, const QString& startFolder, QString* chosen) override;
  bool OpenFile(const QString& title, const QString& filter, QString* chosen) override;
  QString InputBox(const QString& title, const QString& prompt, const QString& defaultText) override;
  void BeginBusyCursor() override;
  void EndBusyCursor() override;

 private:
  QWidget* window_;
  std::function<void()> showModels_;
};
