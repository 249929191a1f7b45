#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "app/contact_window.h"
#include "app/main_window.h"
#include "core/clock.h"
#include "core/core_error.h"
#include "core/ini_file.h"
#include "druginfo/drug_info_view.h"
#include "settings/setting_view.h"
#include "temp_program_folder.h"

class LauncherTest : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    SetClockForTesting([] { return QDateTime(QDate(2024, 5, 1), QTime(10, 0)); });
  }
  template <class T>
  static T* child(QWidget* w, const char* name) {
    return w->findChild<T*>(QString::fromLatin1(name));
  }
};

TEST_F(LauncherTest, layoutHasEveryControlInPlace) {
  TfrmMain main(LauncherServices::Program());
  EXPECT_EQ(main.windowTitle(), QStringLiteral("リンメド"));
  EXPECT_EQ(main.size(), QSize(420, 320));
  EXPECT_FALSE(main.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(main.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(main.font().pixelSize(), 12);
  struct Case {
    const char* name;
    const char* caption;
    QRect geometry;
  } buttons[] = {{"BitBtn1", "閉じる(&C)", {330, 8, 75, 25}},
                 {"Button1", "患者薬剤情報", {160, 48, 100, 45}},
                 {"Button2", "詳細設定", {160, 118, 100, 45}},
                 {"Button3", "お問い合わせ", {160, 190, 100, 45}}};
  for (const Case& c : buttons) {
    auto* b = child<QPushButton>(&main, c.name);
    ASSERT_TRUE(b) << c.name;
    EXPECT_EQ(b->text(), QString::fromUtf8(c.caption));
    EXPECT_EQ(b->geometry(), c.geometry) << c.name;
  }
  EXPECT_FALSE(child<QPushButton>(&main, "BitBtn1")->icon().isNull());
  auto* version = child<QLabel>(&main, "LabelVersion");
  EXPECT_EQ(version->text(), QStringLiteral("Version 1.0"));
  EXPECT_EQ(version->geometry(), QRect(14, 305, 93, 14));
  EXPECT_EQ(version->font().pixelSize(), 11);
  EXPECT_EQ(child<QLabel>(&main, "Label1")->font().pixelSize(), 19);
  EXPECT_EQ(child<QLabel>(&main, "Label2")->pos(), QPoint(10, 288));
  EXPECT_EQ(child<QLabel>(&main, "Label2")->text(),
            MakerRestText(QStringLiteral(RINMED_MAKER_LINE_FOR_TEST)));
  auto* provide = child<QLabel>(&main, "LabelProvide");
  EXPECT_EQ(provide->text(), QStringLiteral(RINMED_PROVIDER_LINE_FOR_TEST));
  EXPECT_EQ(provide->geometry(), QRect(266, 288, 151, 15));
  EXPECT_EQ(provide->alignment(), Qt::AlignCenter);
}

TEST_F(LauncherTest, makerLineSplitsAtItsBar) {
  EXPECT_EQ(MakerLeadText(QStringLiteral("Ⓡ|RinMed")), QStringLiteral("Ⓡ"));
  EXPECT_EQ(MakerRestText(QStringLiteral("Ⓡ|RinMed")), QStringLiteral("RinMed"));
  EXPECT_EQ(MakerLeadText(QStringLiteral("RinMed")), QString());
  EXPECT_EQ(MakerRestText(QStringLiteral("RinMed")), QStringLiteral("RinMed"));
}

TEST_F(LauncherTest, failedCreationOfTheDrugWindowIsReported) {
  LauncherServices services = LauncherServices::Program();
  QStringList boxes;
  services.createDrugInfo = [](QWidget*) -> std::unique_ptr<QDialog> {
    throw CoreError(QStringLiteral("資源不足"));
  };
  services.errorBox = [&](QWidget*, const QString& text) {
    boxes << text;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the normal cursor is back before the box";
  };
  TfrmMain main(services);
  child<QPushButton>(&main, "Button1")->click();
  EXPECT_EQ(boxes,
            QStringList{QStringLiteral("患者薬剤情報フォームの生成に失敗しました。\r\nCoreError: 資源不足")});
}

TEST_F(LauncherTest, anErrorNoHandlerCaughtIsShownAndLogged) {
  struct Case {
    const char* what;
    bool logWritable;
  } cases[] = {{"log written", true}, {"log that cannot be opened", false}};
  for (const Case& c : cases) {
    QFile::remove(path("Log.txt"));
    QDir(path("Log.txt")).removeRecursively();
    if (!c.logWritable) QDir().mkpath(path("Log.txt"));  // a folder in the log file's place
    LauncherServices services = LauncherServices::Program();
    services.openSettings = [](QWidget*) { throw CoreError(QStringLiteral("設定が読めません\r\n二行目")); };
    TfrmMain main(services);
    QString shown;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_TRUE(box) << c.what;
      EXPECT_EQ(box->objectName(), QStringLiteral("ErrorReport"));
      shown = box->text();
      box->close();
    });
    child<QPushButton>(&main, "Button2")->click();
    EXPECT_EQ(shown, QStringLiteral("設定が読めません\n二行目")) << c.what;
    if (c.logWritable) {
      EXPECT_EQ(logMessages(),
                QStringList{QStringLiteral("Error report: CoreError: 設定が読めません 二行目")});
    }
  }
}

TEST_F(LauncherTest, drugWindowStartsFreshEveryTime) {
  TfrmMain main(LauncherServices::Program());
  QList<QPair<ListMode, QDate>> seen;
  for (int opening = 0; opening < 2; ++opening) {
    QTimer::singleShot(0, [&] {
      auto* window = qobject_cast<TfrmDrugInfo*>(QApplication::activeModalWidget());
      ASSERT_TRUE(window);
      seen << qMakePair(window->logic().listMode(), window->logic().currentDate());
      // A server that refuses at once: the loads fail quietly and the handlers still run.
      writeFile("user.ini", "[PARAMA]\r\nURL=http://127.0.0.1:1/api/\r\n");
      window->logic().GetWebORCAInfo();
      window->logic().BtnKaikeiMiClick();
      window->logic().BtnPrevDayClick();
      EXPECT_EQ(window->logic().listMode(), ListMode::InProgress);
      EXPECT_EQ(window->logic().currentDate(), QDate(2024, 4, 30));
      QFile::remove(path("user.ini"));
      window->close();
    });
    child<QPushButton>(&main, "Button1")->click();
  }
  ASSERT_EQ(seen.size(), 2);
  for (const auto& [mode, day] : seen) {
    EXPECT_EQ(mode, ListMode::All);
    EXPECT_EQ(day, QDate(2024, 5, 1));
  }
  EXPECT_TRUE(main.findChildren<TfrmDrugInfo*>().isEmpty()) << "each window is destroyed when it closes";
}

TEST_F(LauncherTest, settingsAndContactButtonsOpenTheirWindows) {
  LauncherServices services = LauncherServices::Program();
  QStringList opened;
  services.openSettings = [&](QWidget*) { opened << QStringLiteral("settings"); };
  services.openContact = [&](QWidget*) { opened << QStringLiteral("contact"); };
  TfrmMain main(services);
  child<QPushButton>(&main, "Button2")->click();
  child<QPushButton>(&main, "Button3")->click();
  EXPECT_EQ(opened, (QStringList{QStringLiteral("settings"), QStringLiteral("contact")}));
}

TEST_F(LauncherTest, settingsWindowOpensWithDefaultsAndCreatesTheFileOnClosing) {
  TfrmMain main(LauncherServices::Program());
  QString shownUrl;
  QTimer::singleShot(0, [&] {
    auto* window = qobject_cast<TfrmSetting*>(QApplication::activeModalWidget());
    ASSERT_TRUE(window);
    shownUrl = window->logic().controls().urlEdit.text;
    window->close();
  });
  child<QPushButton>(&main, "Button2")->click();
  EXPECT_FALSE(shownUrl.isEmpty());
  EXPECT_EQ(IFReadIniStr("PARAMA", "URL", ""), shownUrl);
  EXPECT_EQ(IFReadIniStr("PARAMA", "REFRESH", ""), "60");
  EXPECT_TRUE(main.findChildren<TfrmSetting*>().isEmpty()) << "destroyed when it has closed";
}

TEST_F(LauncherTest, contactWindowOpensOverTheLauncher) {
  TfrmMain main(LauncherServices::Program());
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* window = qobject_cast<TfrmContact*>(QApplication::activeModalWidget());
    ASSERT_TRUE(window);
    seen = window->parentWidget() == &main;
    window->close();
  });
  child<QPushButton>(&main, "Button3")->click();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(main.findChildren<TfrmContact*>().isEmpty());
}

TEST_F(LauncherTest, errorInALauncherHandlerIsReported) {
  LauncherServices services = LauncherServices::Program();
  QStringList reports;
  services.openContact = [](QWidget*) { throw std::runtime_error("no mail program"); };
  services.errorReport = [&](QWidget*, const QString& type, const QString& message) {
    reports << type + QStringLiteral(": ") + message;
  };
  TfrmMain main(services);
  child<QPushButton>(&main, "Button3")->click();
  EXPECT_EQ(reports, QStringList{QStringLiteral("std::runtime_error: no mail program")});
}

TEST_F(LauncherTest, closingTheLauncherEndsTheProgram) {
  TfrmMain main(LauncherServices::Program());
  main.show();
  QTimer::singleShot(0, [&] { child<QPushButton>(&main, "BitBtn1")->click(); });
  QTimer::singleShot(5000, [] { QCoreApplication::exit(1); });  // the program failed to end
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_FALSE(main.isVisible());
}
