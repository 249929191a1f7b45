#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include "async/run_blocking.h"
#include "core/ini_file.h"
#include "http_server.h"
#include "orca/connection.h"
#include "orca/orca_client.h"
#include "owner_only.h"
#include "pkcs12_files.h"
#include "recording_settings_ui.h"
#include "settings/setting_logic.h"
#include "temp_program_folder.h"
#include "test_tls.h"
#include "wait_until_idle.h"

namespace {

const QString kImported = "証明書をWindowsストアにインポートしました。\r\n(%1件)";
const QString kFailed = "証明書のインポートに失敗しました。\r\nパスワードが正しいか確認してください。";

class CertImportTest : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    logic_ = std::make_unique<SettingLogic>(ui_);
    logic_->setCertStoreFolder(path("certs"));
  }
  // Imports the file with the password typed into the box and gives the one box shown after it.
  std::pair<MessageKind, QString> import(const QString& file, std::optional<QString> password) {
    ui_.messages.clear();
    ui_.fileAnswer = file;
    ui_.inputAnswer = password;
    logic_->BtnImportCertClick();
    EXPECT_EQ(ui_.messages.size(), 1u);
    return ui_.messages.empty() ? std::pair{MessageKind::Warning, QString()} : ui_.messages.front();
  }
  QList<QSslCertificate> stored() const { return ClientCertStore(path("certs")).certificates(); }

  RecordingSettingsUi ui_;
  std::unique_ptr<SettingLogic> logic_;
};

TEST_F(CertImportTest, everyCertificateOfTheFileGoesInAndAgainReplacesThem) {
  const QString file = MakeChainPkcs12(dir_.path(), "pw");
  EXPECT_EQ(import(file, "pw"), std::pair(MessageKind::Information, kImported.arg(3)));
  EXPECT_EQ(
      ui_.dialogs,
      (QStringList{"open: クライアント証明書を選択してください | 証明書ファイル (*.pfx;*.p12)|*.pfx;*.p12|"
                   "全てのファイル (*.*)|*.*",
                   "input: パスワード入力 | 証明書のパスワードを入力してください | "}));
  QList<QSslCertificate> certs = stored();
  ASSERT_EQ(certs.size(), 3);
  EXPECT_EQ(certs[0].subjectInfo(QSslCertificate::CommonName), QStringList{"Chain Clinic"});
  EXPECT_EQ(certs[1].subjectInfo(QSslCertificate::CommonName), QStringList{"RinMed Test Intermediate"});
  EXPECT_EQ(certs[2], TestCertificates().ca);
  QSslCertificate presented;
  QSslKey key;
  ASSERT_TRUE(ClientCertStore(path("certs")).firstWithKey(&presented, &key));
  EXPECT_EQ(presented, certs[0]);

  EXPECT_EQ(import(file, "pw"), std::pair(MessageKind::Information, kImported.arg(3)));
  EXPECT_EQ(stored(), certs);
}

TEST_F(CertImportTest, theImportedKeyIsTheUsersAlone) {
  EXPECT_EQ(import(MakeChainPkcs12(dir_.path(), "pw"), "pw"),
            std::pair(MessageKind::Information, kImported.arg(3)));
  const QString keyFile =
      path("certs/") + stored().first().digest(QCryptographicHash::Sha256).toHex() + ".key";
  EXPECT_TRUE(ReadableByItsOwnerAlone(keyFile));
}

TEST_F(CertImportTest, wrongPasswordOrAnotherFileIsRefused) {
  const QString file = MakeChainPkcs12(dir_.path(), "pw");
  writeFile("not.p12", "-----BEGIN CERTIFICATE-----\nnonsense\n");
  for (const auto& [name, password] :
       {std::pair{file, QString("wrong")}, std::pair{path("not.p12"), QString("pw")}}) {
    EXPECT_EQ(import(name, password), std::pair(MessageKind::Error, kFailed));
  }
  EXPECT_TRUE(stored().isEmpty());
}

// A file of CA certificates without a key is no password problem: its certificates go in, and
// none of them is ever presented as the client's.
TEST_F(CertImportTest, aFileWithoutPrivateKeyImportsItsCertificates) {
  const QString file = MakeCertificatesOnlyPkcs12(dir_.path(), "pw");
  EXPECT_EQ(import(file, "wrong"), std::pair(MessageKind::Error, kFailed));
  EXPECT_TRUE(stored().isEmpty());
  EXPECT_EQ(import(file, "pw"), std::pair(MessageKind::Information, kImported.arg(2)));
  const QList<QSslCertificate> certs = stored();
  ASSERT_EQ(certs.size(), 2);
  EXPECT_EQ(certs[0].subjectInfo(QSslCertificate::CommonName), QStringList{"RinMed Test Intermediate"});
  EXPECT_EQ(certs[1], TestCertificates().ca);
  QSslCertificate presented;
  QSslKey key;
  EXPECT_FALSE(ClientCertStore(path("certs")).firstWithKey(&presented, &key));
}

TEST_F(CertImportTest, emptyFileIsAnErrorBeforeAnyPassword) {
  writeFile("empty.pfx", "");
  EXPECT_EQ(import(path("empty.pfx"), "pw"), std::pair(MessageKind::Error, QString("ファイルが空です。")));
  EXPECT_EQ(ui_.dialogs.size(), 1);
}

TEST_F(CertImportTest, cancellingTheFileDialogDoesNothing) {
  logic_->BtnImportCertClick();
  EXPECT_EQ(ui_.dialogs.size(), 1);
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(CertImportTest, cancellingThePasswordBoxImportsWithAnEmptyPassword) {
  const QString file = MakeClientPkcs12(dir_.path(), "");
  EXPECT_EQ(import(file, std::nullopt), std::pair(MessageKind::Information, kImported.arg(2)));
}

TEST_F(CertImportTest, storeThatCannotBeOpenedIsReported) {
  writeFile("certs", "a file in the way");
  EXPECT_EQ(import(MakeClientPkcs12(dir_.path(), "pw"), "pw"),
            std::pair(MessageKind::Error, QString("Windowsの証明書ストアを開けませんでした。")));
}

TEST_F(CertImportTest, certificatesThatCannotBeAddedArePassedOver) {
  const QString file = MakeClientPkcs12(dir_.path(), "pw");
  const TestPki& pki = TestCertificates();
  QDir().mkpath(path("certs/") + pki.ca.digest(QCryptographicHash::Sha256).toHex() + ".pem");
  EXPECT_EQ(import(file, "pw"), std::pair(MessageKind::Information, kImported.arg(1)));
  logic_->setCertStoreFolder(path("certs2"));
  for (const QSslCertificate& blocked : {pki.ca, pki.client}) {
    QDir().mkpath(path("certs2/") + blocked.digest(QCryptographicHash::Sha256).toHex() + ".pem");
  }
  EXPECT_EQ(import(file, "pw"),
            std::pair(MessageKind::Warning, QString("インポートできる証明書が見つかりませんでした。")));
}

// The import is only worth something if the program then opens a connection that demands it.
TEST_F(CertImportTest, importedCertificateOpensAConnectionThatRequiresIt) {
  const TestPki& pki = TestCertificates();
  HttpServer server([](const HttpRequest&) { return HttpAction::Ok("<ok/>"); });
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0,
                            TlsSettings{pki.server, pki.serverKey, QSsl::SecureProtocols, {pki.ca}}));
  OrcaConnection connection;
  connection.baseUrl = "https://127.0.0.1:" + QString::number(server.port()) + "/api/";
  auto post = [&] {
    OrcaClient client;
    client.setConnection(connection);
    client.setTimeoutMs(5000);
    client.setCertStore(ClientCertStore(path("certs")));
    return RunBlocking(client.post("api01rv2/patientgetv2?id=00001", "")).dumpPath;
  };
  EXPECT_EQ(post(), QString()) << "refused without a client certificate";

  EXPECT_EQ(import(MakeClientPkcs12(dir_.path(), "pw"), "pw"),
            std::pair(MessageKind::Information, kImported.arg(2)));
  EXPECT_FALSE(post().isEmpty());
  EXPECT_EQ(server.requests().size(), 1);

  logic_->controls().urlEdit.text = connection.baseUrl;
  logic_->setTimeoutMs(5000);
  logic_->Button3Click();
  WaitUntilIdle(*logic_);
  EXPECT_EQ(logic_->controls().resultMemo.text(), "ログイン成功 Code=200")
      << "the connection test presents it too";
}

}  // namespace
