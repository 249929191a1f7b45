#include "settings/setting_logic.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <exception>

#include "core/core_error.h"
#include "core/error_message.h"
#include "core/log.h"
#include "core/program_folder.h"
#include "core/timestamp.h"
#include "core/user_settings.h"
#include "orca/cert_store.h"
#include "orca/dump_file.h"
#include "orca/endpoint.h"
#include "settings/cert_import.h"
#include "settings/login_rules.h"

namespace {

void Log(const QString& text) {
  WrtLog(GetLogTxt(), text);
}

}  // namespace

SettingLogic::SettingLogic(SettingsUi& ui) : ui_(ui) {
  QObject::connect(&test_, &Job::ended, &test_,
                   [this](const std::optional<UserMessage>&, std::exception_ptr error) {
                     c_.working = false;
                     if (error) ui_.ReportError(error);
                     ui_.ModelsChanged();
                   });
  setCertStoreFolder(ClientCertStore::DefaultFolder());
  InitSet();
}

void SettingLogic::setCertStoreFolder(const QString& folder) {
  certStoreFolder_ = folder;
  client_.setCertStore(ClientCertStore(folder));
}

void SettingLogic::InitSet() {
  c_.cloudRadio.checked = false;
  c_.onPremiseRadio.checked = false;
  c_.urlEdit.text = CloudBaseUrl();
  c_.apiKeyEdit.text.clear();
  c_.apiUserEdit.text.clear();
  c_.addressEdit.text.clear();
  c_.pdfFolderEdit.text.clear();
  c_.institutionCodeEdit.text.clear();
  c_.refreshEdit.text = QStringLiteral("60");
  c_.testPathEdit.text = kConnectionTestApiPath;
  c_.resultMemo.lines.clear();
}

void SettingLogic::DataSet() {
  c_.apiKeyEdit.text = ReadSetting(Setting::ApiKey);
  c_.apiUserEdit.text = ReadSetting(Setting::ApiUser);
  c_.pdfFolderEdit.text = ReadSetting(Setting::PdfFolder);
  c_.addressEdit.text = ReadSetting(Setting::ServerAddress);
  c_.institutionCodeEdit.text = ReadSetting(Setting::InstitutionCode);
  c_.refreshEdit.text = ReadSetting(Setting::RefreshSeconds);
  if (c_.refreshEdit.text.trimmed().isEmpty()) c_.refreshEdit.text = QStringLiteral("60");

  c_.cloudRadio.checked = false;
  c_.onPremiseRadio.checked = false;
  const QString mode = ReadSetting(Setting::ConnectionMode).trimmed();
  if (mode == QLatin1String("1")) CheckRadioButton1();
  if (mode == QLatin1String("2")) CheckRadioButton2();
}

// Key by key, in this order; a refused write ends the save with the settings layer's error, and
// the keys after it stay as they were.
void SettingLogic::SaveSet() {
  WriteSetting(Setting::ApiKey, c_.apiKeyEdit.text);
  WriteSetting(Setting::ConnectionTest, c_.testPathEdit.text);
  WriteSetting(Setting::ApiUrl, c_.urlEdit.text);
  WriteSetting(Setting::ApiUser, c_.apiUserEdit.text);
  WriteSetting(Setting::PdfFolder, c_.pdfFolderEdit.text);
  WriteSetting(Setting::ServerAddress, c_.addressEdit.text);
  WriteSetting(Setting::InstitutionCode, c_.institutionCodeEdit.text);
  WriteSetting(Setting::RefreshSeconds, c_.refreshEdit.text);
  if (c_.cloudRadio.checked) {
    WriteSetting(Setting::ConnectionMode, QStringLiteral("1"));
    WriteSetting(Setting::ServerAddress, QString());  // cloud mode keeps no IP address
  }
  if (c_.onPremiseRadio.checked) WriteSetting(Setting::ConnectionMode, QStringLiteral("2"));
}

void SettingLogic::RadioButton1Click() {
  if (!c_.cloudRadio.checked) return;
  c_.addressLabel.visible = false;
  c_.addressEdit.visible = false;
  c_.apiKeyLabel.text = QStringLiteral("APIキー：");
}

void SettingLogic::RadioButton2Click() {
  if (!c_.onPremiseRadio.checked) return;
  c_.addressLabel.visible = true;
  c_.addressEdit.visible = true;
  c_.apiKeyLabel.text = QStringLiteral("パスワード：");
}

void SettingLogic::CheckRadioButton1() {
  c_.onPremiseRadio.checked = false;
  c_.cloudRadio.checked = true;
  RadioButton1Click();
}

void SettingLogic::CheckRadioButton2() {
  c_.cloudRadio.checked = false;
  c_.onPremiseRadio.checked = true;
  RadioButton2Click();
}

void SettingLogic::Button6Click() {
  if (c_.onPremiseRadio.checked && c_.addressEdit.text.trimmed().isEmpty()) {
    ui_.MessageBox(MessageKind::Warning, QStringLiteral("IPアドレスを設定してください"));
    return;
  }
  closeRequested_ = true;
}

void SettingLogic::Button8Click() {
  const QString start = c_.pdfFolderEdit.text.trimmed();
  QString chosen;
  if (ui_.SelectFolder(QStringLiteral("PDF保存先フォルダを指定してください"), start, &chosen)) {
    c_.pdfFolderEdit.text = QDir::toNativeSeparators(chosen);
  }
}

void SettingLogic::Button3Click() {
  ORCALogin(c_.apiUserEdit.text.trimmed(), c_.apiKeyEdit.text.trimmed());
}

void SettingLogic::showResult(const QString& text) {
  c_.resultMemo.lines = QStringList{text};
}

QString SettingLogic::ORCALogin(const QString& loginId, const QString& password) {
  const bool onPremise = c_.onPremiseRadio.checked;
  const QString url =
      ConnectionTestUrl(c_.urlEdit.text, c_.testPathEdit.text, onPremise, c_.addressEdit.text);
  // Every test is a fresh start: values typed since the last one must not meet remembered
  // credentials or a connection opened with other TLS settings.
  client_.forgetConnections();
  client_.setTls12Only(!onPremise);
  FAuthUser = loginId.trimmed();
  FAuthPass = password.trimmed();
  client_.setCredentials(FAuthUser, FAuthPass);
  Log(FAuthUser + QLatin1Char(' ') + kPasswordMask);

  test_.start(loginRoad(QUrl(url, QUrl::TolerantMode)));
  c_.working = true;
  return QString();
}

// One GET of the test and its log lines; the result text, or the error's, for the result box.
Task<SettingLogic::TestExchange> SettingLogic::testExchange(QUrl url) {
  // Named, not a temporary inside the co_await: GCC 12 mishandles those.
  HttpExchange::Request get{url, std::nullopt, false};
  const QDeadlineTimer deadline(client_.limits().overallMs);
  const HttpExchange::Outcome outcome = co_await client_.send(std::move(get), deadline);
  if (!outcome.arrived) {
    Log(QStringLiteral("Error: ") + outcome.errorMessage);
    co_return TestExchange{0, QStringLiteral("エラー: ") + outcome.errorMessage};
  }
  try {
    Log(QStringLiteral("ログイン時間：") + IFGetHzk15());
    const QString result = LoginResultText(outcome.status);
    Log(result);
    Log(QString::fromUtf8(outcome.content));
    if (outcome.status == 200) WriteDumpFile(ProgramFile(QStringLiteral("Res.txt")), outcome.content);
    co_return TestExchange{outcome.status, result};
  } catch (const std::exception& e) {
    Log(QStringLiteral("Unexpected Error: ") + ErrorMessage(e));
    co_return TestExchange{0, QStringLiteral("エラー: ") + ErrorMessage(e)};
  }
}

// ORCA without WebORCA answers WebORCA's path with 400: the test then asks once more in the classic
// form, as the drug-information window does, and shows what that brought only when it succeeded.
Job::Road SettingLogic::loginRoad(QUrl url) {
  const TestExchange first = co_await testExchange(url);
  const std::optional<ClassicForm> classic = ClassicFormOf(url.toString());
  if (first.status == 400 && classic) {
    const TestExchange second = co_await testExchange(QUrl(classic->url, QUrl::TolerantMode));
    if (second.status == 200) {
      Log(QStringLiteral("Classic API form: %1 answers at /api01rv2/ (/api/api01rv2/ was answered 400)")
              .arg(classic->server));
      showResult(second.result);
      co_return std::nullopt;
    }
  }
  showResult(first.result);
  co_return std::nullopt;
}

void SettingLogic::BtnImportCertClick() {
  QString file;
  if (!ui_.SelectFile(QStringLiteral("クライアント証明書を選択してください"),
                      QStringLiteral("証明書ファイル (*.pfx;*.p12)|*.pfx;*.p12|全てのファイル (*.*)|*.*"),
                      &file)) {
    return;
  }
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) throw CoreError(file + QStringLiteral(": ") + in.errorString());
  const QByteArray data = in.readAll();
  in.close();
  if (data.isEmpty()) {
    ui_.MessageBox(MessageKind::Error, QStringLiteral("ファイルが空です。"));
    return;
  }
  const QString password = ui_.InputBox(QStringLiteral("パスワード入力"),
                                        QStringLiteral("証明書のパスワードを入力してください"), QString());
  const CertImportResult result = ImportPkcs12(data, password, certStoreFolder_);
  switch (result.outcome) {
    case CertImportResult::NotReadable:
      ui_.MessageBox(
          MessageKind::Error,
          QStringLiteral("証明書のインポートに失敗しました。\r\nパスワードが正しいか確認してください。"));
      return;
    case CertImportResult::StoreUnavailable:
      ui_.MessageBox(MessageKind::Error, QStringLiteral("Windowsの証明書ストアを開けませんでした。"));
      return;
    case CertImportResult::Imported:
      break;
  }
  if (result.count == 0) {
    ui_.MessageBox(MessageKind::Warning, QStringLiteral("インポートできる証明書が見つかりませんでした。"));
  } else {
    ui_.MessageBox(MessageKind::Information,
                   QStringLiteral("証明書をWindowsストアにインポートしました。\r\n(") +
                       QString::number(result.count) + QStringLiteral("件)"));
  }
}
