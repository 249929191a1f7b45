#pragma once

#include "medcheck/check_indicator.h"
#include "windowmodel/control_models.h"
#include "windowmodel/string_grid.h"

// What the search kind box offers, in its order.
enum class SearchKind { PatientNumber, Name };

// The state of every control of the drug-information window that shows or holds something.
// Panels only arrange the others and live in the view alone, except the one whose height follows
// the institution grid.
struct DrugInfoControls {
  // search panel
  ComboBoxModel ComboBoxSearch{{QStringLiteral("カルテ番号"), QStringLiteral("漢字氏名")}, 0};
  EditModel EditSearch{QString(), true, 32767, ImeMode::Closed};
  ButtonModel BtnSearch{QStringLiteral("検索")};
  ButtonModel BtnPDFY{QStringLiteral("PDF_Y")};
  ButtonModel BtnPDFT{QStringLiteral("PDF_T")};
  LabelModel LabelDate;
  LabelModel patientNumberLabel{QStringLiteral("カルテ番号")};  // Label1
  LabelModel patientNameLabel{QStringLiteral("漢字氏名")};      // Label2
  LabelModel LabelAge;

  // day navigation
  LabelModel LabelListState{QStringLiteral("全て")};
  ButtonModel BtnKaikeiMi{QStringLiteral("受付中")};
  ButtonModel BtnPrevDay{QStringLiteral("前日")};
  ButtonModel BtnNextDay{QStringLiteral("翌日")};
  ButtonModel BtnToday{QStringLiteral("当日")};

  StringGrid GridPatient{4, 2};

  // institutions by month; the panel grows with the grid's rows
  PanelModel PanelTopGrid{140};
  LabelModel LabelJusinreki{QStringLiteral("受診歴")};
  StringGrid GridInstitution{2, 2};

  // own-institution history
  LabelModel LabelSelfTitle{QStringLiteral("自院薬歴")};
  LabelModel LabelSelfMonth;
  ButtonModel BtnSelfPrevMonth{QStringLiteral("前月")};
  ButtonModel BtnSelfNextMonth{QStringLiteral("翌月")};
  MemoModel MemoSelf;

  // other-institution history
  ButtonModel BtnCopy{QStringLiteral("COPY")};
  ButtonModel BtnPrint{QStringLiteral("印刷")};
  ButtonModel BtnBack{QStringLiteral("戻る"), false};
  LabelModel LabelTainName;
  LabelModel LabelTainMonth;
  MemoModel MemoTain;

  TimerModel TimerRefresh;

  // Not a control of the form: what the window is doing in the background and how far it is
  // ("他院薬歴 5/14"), shown in the free corner of the menu bar while work runs, and whether any
  // work runs at all (the cursor then shows it).
  LabelModel workLabel{QString(), false};
  bool working = false;
  // Not a control of the form either: whether the list follows ORCA's push notifications ("自動更新")
  // or its refresh timer ("定期更新"), with the reason as the tool tip; shown first in the menu bar's
  // corner while push notifications are on.
  LabelModel LabelPush{QString(), false};

  // Not a control of the form either: the medication check of the patient shown, in the same
  // corner just before the work text (LabelMedCheck). Empty while no patient is shown.
  CheckIndicator LabelMedCheck = IdleIndicator();

  // Not a control of the form either: that the panes of the patient shown were prepared before the
  // opening, and how long ago ("準備済み（3分前）"), in the same corner just before the check.
  LabelModel LabelPrepared{QString(), false};
};
