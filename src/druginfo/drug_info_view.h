#pragma once

#include <QDialog>
#include <memory>

#include "druginfo/drug_info_logic.h"
#include "druginfo/qt_drug_info_ui.h"
#include "windowmodel/handler_runner.h"

class CheckIndicatorLabel;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTimer;

// The drug-information window: builds the controls (each widget's objectName is its reference
// name), forwards every event to the logic's handler of the same name and shows the models.
class TfrmDrugInfo : public QDialog {
  Q_OBJECT
 public:
  TfrmDrugInfo(QWidget* owner, ErrorReport errorReport);
  ~TfrmDrugInfo() override;

  DrugInfoLogic& logic() { return logic_; }
  void showModels();

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  void done(int result) override;

 private:
  void buildLeft(QWidget* panelLeft);
  void buildMain(QWidget* panelMain);
  void connectEvents();
  void forward(const std::function<void()>& handler,
               HandlerRunner::Policy policy = HandlerRunner::Policy::Always);
  QPushButton* button(QWidget* parent, const QString& name, int x, int y, int w, int h);
  QLabel* label(QWidget* parent, const QString& name, int x, int y, int w, int h);

  QtDrugInfoUi ui_;
  DrugInfoLogic logic_;
  HandlerRunner runner_;
  bool shown_ = false;
  bool closed_ = false;

  QComboBox* ComboBoxSearch = nullptr;
  QLineEdit* EditSearch = nullptr;
  QTableWidget* GridPatient = nullptr;
  QWidget* PanelTopGrid = nullptr;
  QTableWidget* GridInstitution = nullptr;
  QPlainTextEdit* MemoSelf = nullptr;
  QPlainTextEdit* MemoTain = nullptr;
  QTimer* TimerRefresh = nullptr;
  CheckIndicatorLabel* LabelMedCheck = nullptr;
  CheckIndicator shownCheck_ = IdleIndicator();  // what LabelMedCheck shows
};
