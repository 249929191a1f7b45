#pragma once

#include <QString>

#include "druginfo/control_models.h"

struct RadioButtonModel {
  QString caption;
  bool checked = false;
};

struct TextBoxModel {
  QString text;
  bool visible = true;
  int maxLength = 32767;   // characters the user can type
  bool imeEnabled = true;  // false: numbers only, the input method stays off
};

// The state of every control of the settings window that shows or holds something.
struct SettingControls {
  LabelModel Label5{QStringLiteral("URL")};
  TextBoxModel Edit1;
  RadioButtonModel RadioButton1{QStringLiteral("クラウド")};
  RadioButtonModel RadioButton2{QStringLiteral("オンプレミス")};
  TextBoxModel Edit8{QString(), false};
  LabelModel Label1{QStringLiteral("APIキー：")};
  TextBoxModel Edit6;
  ButtonModel Button3{QStringLiteral("接続テスト")};
  LabelModel Label4{QStringLiteral("APIユーザー：")};
  TextBoxModel Edit5;
  MemoModel Memo1;
  LabelModel Label3{QStringLiteral("IPアドレス"), false};
  TextBoxModel Edit10{QString(), false};
  LabelModel Label6{QStringLiteral("PDF保存先：")};
  TextBoxModel Edit9;
  ButtonModel Button8{QStringLiteral("参照")};
  LabelModel Label7{QStringLiteral("医療機関CD:")};
  TextBoxModel Edit11{QString(), true, 7, false};
  LabelModel Label8{QStringLiteral("更新間隔(秒):")};
  TextBoxModel Edit12{QString(), true, 4, false};
  ButtonModel BtnImportCert{QStringLiteral("証明書インポート")};
  ButtonModel Button6{QStringLiteral("保存して閉じる")};
};
