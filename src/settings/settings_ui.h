#pragma once

#include <QString>

#include "druginfo/drug_info_ui.h"  // MessageKind

// What only a desktop can do for the settings window. The Qt view implements it with dialogs;
// tests record the calls and give scripted answers.
class SettingsUi {
 public:
  virtual ~SettingsUi() = default;

  // A modal box with the single button OK. "\r\n" in the text is a line break.
  virtual void MessageBox(MessageKind kind, const QString& text) = 0;

  // A picker of existing folders; false when cancelled. An empty start folder leaves the choice
  // of where to start to the desktop.
  virtual bool SelectFolder(const QString& title, const QString& startFolder, QString* chosen) = 0;

  // A file-open dialog. `filter` pairs descriptions and patterns with "|", patterns within a pair
  // separated by ";" ("Text (*.txt)|*.txt|All (*.*)|*.*"). False when cancelled.
  virtual bool OpenFile(const QString& title, const QString& filter, QString* chosen) = 0;

  // A one-line input box whose text is shown as typed; cancelling gives the default.
  virtual QString InputBox(const QString& title, const QString& prompt, const QString& defaultText) = 0;

  // The hourglass while the connection test waits for the server.
  virtual void BeginBusyCursor() = 0;
  virtual void EndBusyCursor() = 0;
};
