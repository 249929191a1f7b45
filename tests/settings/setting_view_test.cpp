#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/core_error.h"
#include "core/ini_file.h"
#include "druginfo/qt_drug_info_ui.h"
#include "settings/qt_settings_ui.h"
#include "settings/setting_view.h"
#include "temp_program_folder.h"

namespace {

class SettingViewTest : public TempProgramFolder {
 protected:
  std::unique_ptr<TfrmSetting> open() {
    auto w = std::make_unique<TfrmSetting>(
        nullptr, [this](const QString& type, const QString& message) { reports << type + ": " + message; });
    w->logic().setCertStoreFolder(path("certs"));
    w->show();
    return w;
  }
  template <class T>
  static T* child(QWidget* w, const char* name) {
    return w->findChild<T*>(QString::fromLatin1(name));
  }
  // Presses OK on the next modal box and keeps its text.
  void answerNextBox() {
    QTimer::singleShot(0, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        boxes << box->text();
        box->accept();
      }
    });
  }

  QStringList reports;
  QStringList boxes;
};

TEST_F(SettingViewTest, layoutPutsEveryControlInPlace) {
  auto w = open();
  EXPECT_EQ(w->windowTitle(), "WebORCA設定");
  EXPECT_EQ(w->size(), QSize(560, 320));
  EXPECT_EQ(w->font().pixelSize(), 12);
  struct Case {
    const char* name;
    QRect geometry;
    const char* text;
  } cases[] = {
      {"Edit1", {100, 14, 400, 24}, nullptr},
      {"RadioButton1", {16, 48, 100, 17}, "クラウド"},
      {"RadioButton2", {130, 48, 100, 17}, "オンプレミス"},
      {"Edit8", {100, 46, 340, 24}, nullptr},
      {"Edit6", {100, 80, 200, 24}, nullptr},
      {"Button3", {316, 80, 80, 25}, "接続テスト"},
      {"Edit5", {100, 112, 200, 24}, nullptr},
      {"Memo1", {316, 110, 230, 60}, nullptr},
      {"Edit10", {100, 148, 200, 24}, nullptr},
      {"Edit9", {100, 176, 340, 24}, nullptr},
      {"Button8", {448, 176, 50, 25}, "参照"},
      {"Edit11", {100, 210, 100, 24}, nullptr},
      {"Edit12", {300, 210, 50, 24}, nullptr},
      {"BtnImportCert", {16, 248, 160, 25}, "証明書インポート"},
      {"Button6", {440, 280, 100, 30}, "保存して閉じる"},
  };
  for (const Case& c : cases) {
    QWidget* widget = child<QWidget>(w.get(), c.name);
    ASSERT_TRUE(widget) << c.name;
    EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
    if (auto* b = qobject_cast<QAbstractButton*>(widget)) {
      EXPECT_EQ(b->text(), QString::fromUtf8(c.text));
    }
  }
  struct LabelCase {
    const char* name;
    QPoint at;
    const char* text;
  } labels[] = {{"Label5", {16, 16}, "URL"},
                {"Label1", {16, 82}, "APIキー："},
                {"Label4", {16, 114}, "APIユーザー："},
                {"Label3", {16, 150}, "IPアドレス"},
                {"Label6", {16, 178}, "PDF保存先："},
                {"Label7", {16, 212}, "医療機関CD:"},
                {"Label8", {220, 212}, "更新間隔(秒):"}};
  for (const LabelCase& l : labels) {
    auto* label = child<QLabel>(w.get(), l.name);
    ASSERT_TRUE(label) << l.name;
    EXPECT_EQ(label->pos(), l.at) << l.name;
    EXPECT_EQ(label->text(), QString::fromUtf8(l.text));
  }
  EXPECT_FALSE(child<QLineEdit>(w.get(), "Edit8")->isVisible());
  EXPECT_FALSE(child<QLineEdit>(w.get(), "Edit10")->isVisible());
  EXPECT_FALSE(child<QLabel>(w.get(), "Label3")->isVisible());
  EXPECT_TRUE(child<QPlainTextEdit>(w.get(), "Memo1")->isReadOnly());
  EXPECT_EQ(child<QLineEdit>(w.get(), "Edit12")->text(), "60");
  for (const auto& [name, limit] : {std::pair{"Edit11", 7}, std::pair{"Edit12", 4}}) {
    auto* e = child<QLineEdit>(w.get(), name);
    EXPECT_FALSE(e->testAttribute(Qt::WA_InputMethodEnabled)) << name;
    e->clear();
    e->insert("123456789");  // as typed
    EXPECT_EQ(e->text().size(), limit) << name;
  }
  EXPECT_FALSE(child<QRadioButton>(w.get(), "RadioButton1")->isChecked());
  EXPECT_FALSE(child<QRadioButton>(w.get(), "RadioButton2")->isChecked());
}

// The limits are for typing: values stored longer than a box's limit are shown whole and saved
// back whole when the user leaves them alone.
TEST_F(SettingViewTest, storedValuesLongerThanTheLimitStayWhole) {
  writeFile("user.ini", "[PARAMA]\r\nKIKANCD=0123456789\r\nREFRESH=123456\r\n");
  auto w = open();
  auto* code = child<QLineEdit>(w.get(), "Edit11");
  EXPECT_EQ(code->text(), "0123456789");
  EXPECT_EQ(child<QLineEdit>(w.get(), "Edit12")->text(), "123456");
  w->close();
  EXPECT_EQ(IFReadIniStr("PARAMA", "KIKANCD", ""), "0123456789");
  EXPECT_EQ(IFReadIniStr("PARAMA", "REFRESH", ""), "123456");

  w = open();
  code = child<QLineEdit>(w.get(), "Edit11");
  code->end(false);
  code->insert("9");  // as typed: no room
  EXPECT_EQ(code->text(), "0123456789");
  code->backspace();
  code->insert("9");  // deleting makes no room above the limit
  EXPECT_EQ(code->text(), "012345678");
  for (int i = 0; i < 5; ++i) code->backspace();
  code->insert("abcdef");  // a paste is cut where the limit ends
  EXPECT_EQ(code->text(), "0123abc");
  w->close();
  EXPECT_EQ(IFReadIniStr("PARAMA", "KIKANCD", ""), "0123abc");
}

TEST_F(SettingViewTest, storedModeShowsItsFieldsAndAClickSwitches) {
  writeFile("user.ini", "[COKBN]\r\nCHCK=2\r\n[PARAMA]\r\nIPADR=10.0.0.1\r\n");
  auto w = open();
  EXPECT_TRUE(child<QRadioButton>(w.get(), "RadioButton2")->isChecked());
  EXPECT_TRUE(child<QLineEdit>(w.get(), "Edit10")->isVisible());
  EXPECT_EQ(child<QLineEdit>(w.get(), "Edit10")->text(), "10.0.0.1");
  EXPECT_EQ(child<QLabel>(w.get(), "Label1")->text(), "パスワード：");
  child<QRadioButton>(w.get(), "RadioButton1")->click();
  EXPECT_FALSE(child<QRadioButton>(w.get(), "RadioButton2")->isChecked());
  EXPECT_FALSE(child<QLineEdit>(w.get(), "Edit10")->isVisible());
  EXPECT_EQ(child<QLabel>(w.get(), "Label1")->text(), "APIキー：");
}

TEST_F(SettingViewTest, saveAndCloseWantsAnAddressButTheCloseBoxSavesAnyway) {
  auto w = open();
  child<QRadioButton>(w.get(), "RadioButton2")->click();
  child<QLineEdit>(w.get(), "Edit5")->insert("ormaster");
  answerNextBox();
  child<QPushButton>(w.get(), "Button6")->click();
  EXPECT_EQ(boxes, QStringList{"IPアドレスを設定してください"});
  EXPECT_TRUE(w->isVisible());
  EXPECT_FALSE(QFile::exists(path("user.ini")));

  w->close();  // the title bar's close box
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(IFReadIniStr("COKBN", "CHCK", ""), "2");
  EXPECT_EQ(IFReadIniStr("PARAMA", "IPADR", "-"), "");
  EXPECT_EQ(IFReadIniStr("PARAMA", "APIUSER", ""), "ormaster");
  EXPECT_TRUE(reports.isEmpty());
}

TEST_F(SettingViewTest, refusedSaveIsRaisedOnceTheWindowIsGone) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("user.ini"));
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  try {
    ShowSettingsWindow(nullptr, {});
    FAIL() << "the refused save was lost";
  } catch (const CoreError& e) {
    EXPECT_EQ(e.message(), path("user.ini") + " に書き込めません");
  }
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(SettingViewTest, drugInformationMenuOpensTheWindowAndReturnsWhenItHasClosed) {
  QWidget drugInfo;
  QtDrugInfoUi ui(&drugInfo, [] {});
  QTimer::singleShot(0, [] {
    auto* window = qobject_cast<TfrmSetting*>(QApplication::activeModalWidget());
    ASSERT_TRUE(window);
    window->findChild<QLineEdit*>("Edit5")->insert("ormaster");
    window->close();
  });
  ui.OpenSettingsWindow();
  EXPECT_EQ(IFReadIniStr("PARAMA", "APIUSER", ""), "ormaster") << "saved before the caller reloads";
  EXPECT_TRUE(drugInfo.findChildren<TfrmSetting*>().isEmpty());
}

TEST_F(SettingViewTest, passwordBoxShowsWhatIsTyped) {
  QWidget owner;
  QtSettingsUi ui(&owner, [] {});
  QString echo;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    ASSERT_TRUE(box);
    echo = box->windowTitle() + "|" + box->labelText() + "|" + QString::number(box->textEchoMode());
    box->setTextValue("p@ss");
    box->accept();
  });
  EXPECT_EQ(ui.InputBox("パスワード入力", "証明書のパスワードを入力してください", ""), "p@ss");
  EXPECT_EQ(echo,
            "パスワード入力|証明書のパスワードを入力してください|" + QString::number(QLineEdit::Normal));
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
  EXPECT_EQ(ui.InputBox("t", "p", ""), "") << "cancelling gives the default";
}

}  // namespace
