#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <memory>

#include "windowmodel/handler_runner.h"

// What the launcher opens and how it reports; the program uses the real windows and boxes, tests
// replace single entries.
struct LauncherServices {
  std::function<std::unique_ptr<QDialog>(QWidget* owner)> createDrugInfo;
  // Shows the settings window modally and returns when it has closed.
  std::function<void(QWidget* owner)> openSettings;
  // The same for the contact window.
  std::function<void(QWidget* owner)> openContact;
  std::function<void(QWidget* parent, const QString& text)> errorBox;
  std::function<void(QWidget* parent, const QString& typeName, const QString& message)> errorReport;

  // The program's own windows and boxes (linked in with rinmed_program).
  static LauncherServices Program();
};

// The launcher: opens the drug-information, settings and contact windows; closing it ends the
// program.
class TfrmMain : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmMain(LauncherServices services);

  void Button1Click();
  void Button2Click();
  void Button3Click();

 private:
  void forward(const std::function<void()>& handler);

  LauncherServices services_;
};

// The maker line splits at its first "|": the part before it goes to the large Label1.
QString MakerLeadText(const QString& makerLine);
QString MakerRestText(const QString& makerLine);
