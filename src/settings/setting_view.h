#pragma once

#include <exception>

#include "settings/qt_settings_ui.h"
#include "settings/setting_logic.h"
#include "widgets/control_table.h"

// The settings window: builds the controls of its table (each widget's objectName is its reference
// name), forwards every event to the logic's handler of the same name and shows the models. Every
// way of closing it saves.
class TfrmSetting : public FormWindow {
  Q_OBJECT
 public:
  TfrmSetting(QWidget* owner, ErrorReport errorReport);
  ~TfrmSetting() override;

  SettingLogic& logic() { return logic_; }
  void showModels() override;

  // The error that ended the save when the window closed, or null.
  std::exception_ptr saveError() const { return saveError_; }

 protected:
  void opened() override;
  void closing() override;

 private:
  QtSettingsUi ui_;
  SettingLogic logic_;
  ControlTable<SettingControls, SettingLogic> controls_;
  std::exception_ptr saveError_;
};

// Creates the settings window over `owner`, shows it modally and destroys it when it has closed.
// An error of the save on closing is raised from here, after the window is gone.
void ShowSettingsWindow(QWidget* owner, const ErrorReport& errorReport);
