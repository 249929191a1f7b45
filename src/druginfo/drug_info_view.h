#pragma once

#include "druginfo/drug_info_logic.h"
#include "druginfo/qt_drug_info_ui.h"
#include "widgets/control_table.h"

class CheckIndicatorLabel;
class QLabel;
class QTableWidget;
class QTimer;

// The drug-information window: builds the controls of its table (each widget's objectName is its
// reference name), forwards every event to the logic's handler of the same name and shows the models.
class TfrmDrugInfo : public FormWindow {
  Q_OBJECT
 public:
  TfrmDrugInfo(QWidget* owner, ErrorReport errorReport);
  ~TfrmDrugInfo() override;

  DrugInfoLogic& logic() { return logic_; }
  void showModels() override;

 protected:
  void opened() override;
  void closing() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectGrids();

  QtDrugInfoUi ui_;
  DrugInfoLogic logic_;
  ControlTable<DrugInfoControls, DrugInfoLogic> controls_;

  QWidget* PanelTopGrid;
  QTableWidget* GridInstitution;
  QTimer* TimerRefresh = nullptr;
  QLabel* LabelPush = nullptr;
  QLabel* LabelPrepared = nullptr;
  CheckIndicatorLabel* LabelMedCheck = nullptr;
  QLabel* workLabel = nullptr;
  CheckIndicator shownCheck_ = IdleIndicator();  // what LabelMedCheck shows
};
