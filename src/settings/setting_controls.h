#pragma once

#include <QString>

#include "windowmodel/control_models.h"

// The state of every control of the settings window that shows or holds something, named by what
// it is for; the comment gives the control's reference name, which its widget carries as objectName.
struct SettingControls {
  LabelModel urlLabel{QStringLiteral("URL")};                       // Label5
  EditModel urlEdit;                                                // Edit1
  RadioButtonModel cloudRadio{QStringLiteral("クラウド")};          // RadioButton1
  RadioButtonModel onPremiseRadio{QStringLiteral("オンプレミス")};  // RadioButton2
  EditModel testPathEdit{QString(), false};                         // Edit8
  LabelModel apiKeyLabel{QStringLiteral("APIキー：")};              // Label1
  EditModel apiKeyEdit;                                             // Edit6
  ButtonModel connectionTestButton{QStringLiteral("接続テスト")};   // Button3
  LabelModel apiUserLabel{QStringLiteral("APIユーザー：")};         // Label4
  EditModel apiUserEdit;                                            // Edit5
  MemoModel resultMemo;                                             // Memo1
  // Not a control: a connection test runs in the background (the cursor shows it).
  bool working = false;
  LabelModel addressLabel{QStringLiteral("IPアドレス"), false};        // Label3
  EditModel addressEdit{QString(), false};                             // Edit10
  LabelModel pdfFolderLabel{QStringLiteral("PDF保存先：")};            // Label6
  EditModel pdfFolderEdit;                                             // Edit9
  ButtonModel browseButton{QStringLiteral("参照")};                    // Button8
  LabelModel institutionCodeLabel{QStringLiteral("医療機関CD:")};      // Label7
  EditModel institutionCodeEdit{QString(), true, 7, ImeMode::Closed};  // Edit11
  LabelModel refreshLabel{QStringLiteral("更新間隔(秒):")};            // Label8
  EditModel refreshEdit{QString(), true, 4, ImeMode::Closed};          // Edit12
  ButtonModel BtnImportCert{QStringLiteral("証明書インポート")};
  ButtonModel saveAndCloseButton{QStringLiteral("保存して閉じる")};  // Button6
};
