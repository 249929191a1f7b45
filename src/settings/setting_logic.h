#pragma once

#include <QString>

#include "orca/http_exchange.h"
#include "settings/setting_controls.h"
#include "settings/settings_ui.h"
#include "windowmodel/job.h"

// The settings window without its widgets: the connection settings of user.ini, the connection
// test and the certificate import, under the handlers' reference names.
class SettingLogic {
 public:
  explicit SettingLogic(SettingsUi& ui);

  SettingControls& controls() { return c_; }
  const SettingControls& controls() const { return c_; }

  // Where imported certificates go and the connection test presents them from; tests use a folder
  // of their own.
  void setCertStoreFolder(const QString& folder);
  void setTimeoutMs(int ms) {
    ExchangeLimits limits = client_.limits();
    limits.idleTimeoutMs = ms;
    client_.setLimits(limits);
  }

  void InitSet();  // when the window is created
  void DataSet();  // each time it is shown
  void SaveSet();  // each time it closes, whatever closes it

  void RadioButton1Click();
  void RadioButton2Click();
  // The user's choice of a mode: the other button goes off, then the click handler runs.
  void CheckRadioButton1();
  void CheckRadioButton2();

  void Button3Click();
  void Button6Click();
  void Button8Click();
  void BtnImportCertClick();
  void FormClose() {
    test_.cancel();
    c_.working = false;
    SaveSet();
  }

  // The connection test with the values typed into the window, saved or not. Always "". The
  // request runs in the background; its result reaches the result memo when it ends. A test
  // started again replaces the one running, and closing the window ends it.
  QString ORCALogin(const QString& loginId, const QString& password);
  bool working() const { return c_.working; }

  QString FAuthUser;
  QString FAuthPass;

  // True once Button6Click has let the window close.
  bool closeRequested() const { return closeRequested_; }

 private:
  void showResult(const QString& text);
  struct TestExchange {
    int status = 0;  // 0: no answer came, or handling it failed
    QString result;  // what the result box shows for it
  };
  Task<TestExchange> testExchange(QUrl url);
  Job::Road loginRoad(QUrl url);

  SettingsUi& ui_;
  SettingControls c_;
  HttpExchange client_;  // the window's own, apart from the drug-information window's
  QString certStoreFolder_;
  bool closeRequested_ = false;
  Job test_;  // after the client, so that it ends first
};
