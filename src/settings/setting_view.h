#pragma once

#include <QDialog>
#include <exception>

#include "settings/qt_settings_ui.h"
#include "settings/setting_logic.h"
#include "windowmodel/handler_runner.h"

class QLineEdit;

// The settings window: builds the controls (each widget's objectName is its reference name),
// forwards every event to the logic's handler of the same name and shows the models. Every way
// of closing it saves.
class TfrmSetting : public QDialog {
  Q_OBJECT
 public:
  TfrmSetting(QWidget* owner, ErrorReport errorReport);
  ~TfrmSetting() override;

  SettingLogic& logic() { return logic_; }
  void showModels();

  // The error that ended the save when the window closed, or null.
  std::exception_ptr saveError() const { return saveError_; }

 public slots:
  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void build();
  void forward(const std::function<void()>& handler);
  QLineEdit* edit(const QString& name, const QRect& geometry, EditModel SettingControls::*model);

  QtSettingsUi ui_;
  SettingLogic logic_;
  ErrorReport errorReport_;
  bool shown_ = false;
  bool closed_ = false;
  std::exception_ptr saveError_;
};

// Creates the settings window over `owner`, shows it modally and destroys it when it has closed.
// An error of the save on closing is raised from here, after the window is gone.
void ShowSettingsWindow(QWidget* owner, const ErrorReport& errorReport);
