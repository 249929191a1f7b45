#include <gtest/gtest.h>

#include <QDir>
#include <QUrl>

#include "core/core_error.h"
#include "core/ini_file.h"
#include "recording_settings_ui.h"
#include "settings/login_rules.h"
#include "settings/setting_logic.h"
#include "temp_program_folder.h"

namespace {

class SettingWindowTest : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    logic_ = std::make_unique<SettingLogic>(ui_);
    logic_->setCertStoreFolder(path("certs"));
  }
  SettingControls& c() { return logic_->controls(); }
  QString ini() const { return QString::fromLocal8Bit(readFile("user.ini")); }

  RecordingSettingsUi ui_;
  std::unique_ptr<SettingLogic> logic_;
};

TEST_F(SettingWindowTest, createdWithTheCreationValues) {
  const QUrl url(c().urlEdit.text);
  EXPECT_EQ(url.scheme(), "https");
  EXPECT_FALSE(url.host().isEmpty());
  EXPECT_EQ(url.port(), 443);
  EXPECT_EQ(url.path(), "/api/");
  EXPECT_EQ(c().urlEdit.text, CloudBaseUrl());
  EXPECT_EQ(c().testPathEdit.text, "api01rv2/patientgetv2?id=00001");
  EXPECT_FALSE(c().testPathEdit.visible);
  EXPECT_EQ(c().refreshEdit.text, "60");
  for (const EditModel* e : {&c().apiKeyEdit, &c().apiUserEdit, &c().addressEdit, &c().pdfFolderEdit, &c().institutionCodeEdit}) {
    EXPECT_EQ(e->text, QString());
  }
  EXPECT_TRUE(c().resultMemo.lines.isEmpty());
  EXPECT_FALSE(c().cloudRadio.checked);
  EXPECT_FALSE(c().onPremiseRadio.checked);
  EXPECT_FALSE(c().addressLabel.visible);
  EXPECT_FALSE(c().addressEdit.visible);
  EXPECT_EQ(c().apiKeyLabel.text, "APIキー：");
  EXPECT_EQ(c().institutionCodeEdit.maxLength, 7);
  EXPECT_EQ(c().institutionCodeEdit.imeMode, ImeMode::Closed);
  EXPECT_EQ(c().refreshEdit.maxLength, 4);
  EXPECT_EQ(c().refreshEdit.imeMode, ImeMode::Closed);
}

TEST_F(SettingWindowTest, dataSetShowsStoredValuesButNeverUrlOrApi) {
  writeFile("user.ini",
            "[PARAMA]\r\nURL=http://old/api/\r\nAPI=other\r\nAPIKEY=key 1\r\nAPIUSER=ormaster\r\n"
            "SAVETXT=/srv/pdf\r\nIPADR=192.168.0.5\r\nKIKANCD=1234567\r\nREFRESH=120\r\n");
  logic_->DataSet();
  EXPECT_EQ(c().apiKeyEdit.text, "key 1");
  EXPECT_EQ(c().apiUserEdit.text, "ormaster");
  EXPECT_EQ(c().pdfFolderEdit.text, "/srv/pdf");
  EXPECT_EQ(c().addressEdit.text, "192.168.0.5");
  EXPECT_EQ(c().institutionCodeEdit.text, "1234567");
  EXPECT_EQ(c().refreshEdit.text, "120");
  EXPECT_EQ(c().urlEdit.text, CloudBaseUrl());
  EXPECT_EQ(c().testPathEdit.text, kConnectionTestApiPath);
}

TEST_F(SettingWindowTest, blankRefreshOpensAsSixty) {
  for (const char* stored : {"[PARAMA]\r\nREFRESH=\r\n", "[PARAMA]\r\n"}) {
    writeFile("user.ini", stored);
    c().refreshEdit.text = "x";
    logic_->DataSet();
    EXPECT_EQ(c().refreshEdit.text, "60") << stored;
  }
}

TEST_F(SettingWindowTest, storedModeChecksItsButtonAndRunsItsClick) {
  struct Case {
    const char* file;
    bool cloud, onPremise, ipVisible;
    const char* label1;
  } cases[] = {
      {"[COKBN]\r\nCHCK=1\r\n", true, false, false, "APIキー："},
      {"[COKBN]\r\nCHCK= 2 \r\n", false, true, true, "パスワード："},
      {"[COKBN]\r\nCHCK=3\r\n", false, false, false, "APIキー："},
      {"", false, false, false, "APIキー："},
  };
  for (const Case& k : cases) {
    RecordingSettingsUi ui;
    SettingLogic logic(ui);
    writeFile("user.ini", k.file);
    logic.DataSet();
    const SettingControls& s = logic.controls();
    EXPECT_EQ(s.cloudRadio.checked, k.cloud) << k.file;
    EXPECT_EQ(s.onPremiseRadio.checked, k.onPremise) << k.file;
    EXPECT_EQ(s.addressEdit.visible, k.ipVisible) << k.file;
    EXPECT_EQ(s.addressLabel.visible, k.ipVisible) << k.file;
    EXPECT_EQ(s.apiKeyLabel.text, QString::fromUtf8(k.label1)) << k.file;
  }
}

TEST_F(SettingWindowTest, switchingModesSwitchesTheIpAddressAndTheKeyLabel) {
  logic_->CheckRadioButton2();
  EXPECT_TRUE(c().addressEdit.visible);
  EXPECT_EQ(c().apiKeyLabel.text, "パスワード：");
  logic_->CheckRadioButton1();
  EXPECT_FALSE(c().onPremiseRadio.checked);
  EXPECT_FALSE(c().addressEdit.visible);
  EXPECT_FALSE(c().addressLabel.visible);
  EXPECT_EQ(c().apiKeyLabel.text, "APIキー：");
  logic_->RadioButton2Click();  // acts only for a checked button
  EXPECT_FALSE(c().addressEdit.visible);
}

TEST_F(SettingWindowTest, firstSaveCreatesTheFileWithItsKeysInOrder) {
  logic_->DataSet();
  c().apiKeyEdit.text = " key ";
  c().apiUserEdit.text = "user";
  c().pdfFolderEdit.text = "/srv/pdf";
  c().addressEdit.text = "10.0.0.1";
  c().institutionCodeEdit.text = "1234567";
  c().refreshEdit.text = "abc";
  logic_->CheckRadioButton2();
  logic_->FormClose();
  EXPECT_EQ(ini(), "[PARAMA]\r\nAPIKEY= key \r\nAPI=api01rv2/patientgetv2?id=00001\r\nURL=" + CloudBaseUrl() +
                       "\r\nAPIUSER=user\r\nSAVETXT=/srv/pdf\r\nIPADR=10.0.0.1\r\nKIKANCD=1234567\r\n"
                       "REFRESH=abc\r\n[COKBN]\r\nCHCK=2\r\n");
}

TEST_F(SettingWindowTest, cloudSaveEmptiesTheIpAddress) {
  writeFile("user.ini", "[PARAMA]\r\nIPADR=10.0.0.1\r\nURL=http://old/api/\r\n");
  logic_->DataSet();
  logic_->CheckRadioButton1();
  logic_->SaveSet();
  EXPECT_EQ(IFReadIniStr("PARAMA", "IPADR", "-"), QString());
  EXPECT_EQ(IFReadIniStr("COKBN", "CHCK", "-"), "1");
  EXPECT_EQ(IFReadIniStr("PARAMA", "URL", "-"), CloudBaseUrl())
      << "the stored URL is replaced by the default";
}

TEST_F(SettingWindowTest, withoutAModeTheStoredModeStaysAsItWas) {
  for (const QByteArray& file : {QByteArray("[COKBN]\r\nCHCK=9\r\n"), QByteArray()}) {
    writeFile("user.ini", file);
    logic_->DataSet();
    logic_->SaveSet();
    EXPECT_EQ(IFReadIniStr("COKBN", "CHCK", "absent"), file.isEmpty() ? "absent" : "9");
  }
}

TEST_F(SettingWindowTest, saveAndCloseChecksTheOnPremiseAddress) {
  struct Case {
    int mode;  // 0 none, 1 cloud, 2 on-premise
    const char* ip;
    bool closes;
  } cases[] = {{2, " ", false}, {2, "10.0.0.1", true}, {1, "", true}, {0, "", true}};
  for (const Case& k : cases) {
    RecordingSettingsUi ui;
    SettingLogic logic(ui);
    if (k.mode == 1) logic.CheckRadioButton1();
    if (k.mode == 2) logic.CheckRadioButton2();
    logic.controls().addressEdit.text = k.ip;
    logic.Button6Click();
    EXPECT_EQ(logic.closeRequested(), k.closes) << k.mode << k.ip;
    if (k.closes) {
      EXPECT_TRUE(ui.messages.empty());
    } else {
      ASSERT_EQ(ui.messages.size(), 1u);
      EXPECT_EQ(ui.messages[0].first, MessageKind::Warning);
      EXPECT_EQ(ui.messages[0].second, "IPアドレスを設定してください");
    }
  }
}

TEST_F(SettingWindowTest, folderPickerStartsInTheTypedFolderAndCancelKeepsIt) {
  c().pdfFolderEdit.text = "  ";
  logic_->Button8Click();
  c().pdfFolderEdit.text = "/srv/pdf";
  logic_->Button8Click();
  EXPECT_EQ(ui_.dialogs, (QStringList{"folder: PDF保存先フォルダを指定してください @",
                                      "folder: PDF保存先フォルダを指定してください @/srv/pdf"}));
  EXPECT_EQ(c().pdfFolderEdit.text, "/srv/pdf");
  ui_.folderAnswer = dir_.path();
  logic_->Button8Click();
  EXPECT_EQ(c().pdfFolderEdit.text, QDir::toNativeSeparators(dir_.path()));
}

TEST_F(SettingWindowTest, refusedWriteSurfacesAsTheSettingsError) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir("user.ini"));  // a folder where the file should be
  try {
    logic_->SaveSet();
    FAIL() << "the save reported success";
  } catch (const CoreError& e) {
    EXPECT_EQ(e.message(), path("user.ini") + " に書き込めません");
  }
}

}  // namespace
