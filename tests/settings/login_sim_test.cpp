#include <gtest/gtest.h>

#include <QProcess>
#include <QRegularExpression>

#include "recording_settings_ui.h"
#include "settings/setting_logic.h"
#include "temp_program_folder.h"
#include "wait_until_idle.h"

namespace {

// The connection test against the simulator executable, as a clinic would run it.
class LoginSimTest : public TempProgramFolder {
 protected:
  void TearDown() override {
    if (sim_.state() != QProcess::NotRunning) {
      sim_.kill();
      sim_.waitForFinished();
    }
    TempProgramFolder::TearDown();
  }
  QString start() {
    sim_.start(ORCA_SIM_EXECUTABLE, {"--port", "0"});
    static const QRegularExpression line("^orca-sim listening on (http://127\\.0\\.0\\.1:[0-9]+)\\n$");
    while (sim_.waitForReadyRead(10000) || sim_.canReadLine()) {
      if (!sim_.canReadLine()) continue;
      const QRegularExpressionMatch m = line.match(QString::fromUtf8(sim_.readLine()));
      return m.hasMatch() ? m.captured(1) : QString();
    }
    return {};
  }
  QString test(const QString& url, const QString& key) {
    RecordingSettingsUi ui;
    SettingLogic logic(ui);
    logic.setTimeoutMs(10000);
    logic.controls().urlEdit.text = url + "/api/";
    logic.controls().apiUserEdit.text = "ormaster";
    logic.controls().apiKeyEdit.text = key;
    logic.Button3Click();
    WaitUntilIdle(logic);
    return logic.controls().resultMemo.text();
  }
  QProcess sim_;
};

TEST_F(LoginSimTest, rightKeySucceedsAndWrongKeyIsRefused) {
  const QString url = start();
  ASSERT_FALSE(url.isEmpty());
  EXPECT_EQ(test(url, "ormaster"), "ログイン成功 Code=200");
  const QByteArray res = readFile("Res.txt");
  EXPECT_TRUE(res.startsWith("\xEF\xBB\xBF"));
  EXPECT_TRUE(res.contains("<Patient_ID type=\"string\">00001</Patient_ID>")) << res.left(400).toStdString();
  EXPECT_EQ(test(url, "wrong"), "認証失敗 Code=401");
  EXPECT_FALSE(readFile("Log.txt").contains("ormaster ormaster"));
}

}  // namespace
