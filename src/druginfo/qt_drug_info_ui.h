#pragma once

#include <functional>

#include "druginfo/drug_info_ui.h"

class QWidget;

// The desktop services of the drug-information window, done with Qt widgets.
class QtDrugInfoUi : public DrugInfoUi {
 public:
  // `showModels` brings the widgets up to date with the logic's models.
  QtDrugInfoUi(QWidget* window, std::function<void()> showModels);

  void MessageBox(MessageKind kind, const QString& text) override;
  void BeginBusyCursor() override;
  void EndBusyCursor() override;
  void SuspendPainting(const QString& control) override;
  void ResumePainting(const QString& control) override;
  void SetFocus(const QString& control) override;
  void OpenSettingsWindow() override;
  void SetClipboardText(const QString& text) override;
  std::unique_ptr<PrintJob> BeginPrintJob() override;
  void OpenFileWithDefaultViewer(const QString& path) override;

 private:
  QWidget* find(const QString& control) const;

  QWidget* window_;
  std::function<void()> showModels_;
};
