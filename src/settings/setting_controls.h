#pragma once

#include <QString>

#include "uikit/control_models.h"

// The state of every control of the settings window that shows or holds something.
struct SettingControls {
  LabelModel Label5{QStringLiteral("URL")};
  EditModel Edit1;
  RadioButtonModel RadioButton1{QStringLiteral("クラウド")};
  RadioButtonModel RadioButton2{QStringLiteral("オンプレミス")};
  EditModel Edit8{QString(), false};
  LabelModel Label1{QStringLiteral("APIキー：")};
  EditModel Edit6;
  ButtonModel Button3{QStringLiteral("接続テスト")};
  LabelModel Label4{QStringLiteral("APIユーザー：")};
  EditModel Edit5;
  MemoModel Memo1;
  LabelModel Label3{QStringLiteral("IPアドレス"), false};
  EditModel Edit10{QString(), false};
  LabelModel Label6{QStringLiteral("PDF保存先：")};
  EditModel Edit9;
  ButtonModel Button8{QStringLiteral("参照")};
  LabelModel Label7{QStringLiteral("医療機関CD:")};
  EditModel Edit11{QString(), true, 7, ImeMode::Closed};
  LabelModel Label8{QStringLiteral("更新間隔(秒):")};
  EditModel Edit12{QString(), true, 4, ImeMode::Closed};
  ButtonModel BtnImportCert{QStringLiteral("証明書インポート")};
  ButtonModel Button6{QStringLiteral("保存して閉じる")};
};
