#include "settings/setting_view.h"

#include <QGuiApplication>
#include <QScreen>

#include "widgets/desktop_dialogs.h"

namespace {

// A field for digits: where an input method or an on-screen keyboard still offers itself, it
// starts in Latin letters without predictions.
void DigitsField(QWidget* edit) {
  edit->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
}

using C = SettingControls;
using L = SettingLogic;

// One row per control, in the tab order: its reference name (the widget's objectName), where it
// stands, its model and handler, and what it has beyond them.
const Control<C, L> kControls[] = {
    {"Label5", nullptr, At(16, 16), &C::urlLabel},
    {"Edit1", nullptr, At(100, 14, 400, 24), &C::urlEdit},
    {"RadioButton1", nullptr, At(16, 48, 100, 17), &C::cloudRadio, &L::CheckRadioButton1},
    {"RadioButton2", nullptr, At(130, 48, 100, 17), &C::onPremiseRadio, &L::CheckRadioButton2},
    {"Edit8", nullptr, At(100, 46, 340, 24), &C::testPathEdit},
    {"Label1", nullptr, At(16, 82), &C::apiKeyLabel},
    {"Edit6", nullptr, At(100, 80, 200, 24), &C::apiKeyEdit},
    {"Button3", nullptr, At(316, 80, 80, 25), &C::connectionTestButton, &L::Button3Click},
    {"Label4", nullptr, At(16, 114), &C::apiUserLabel},
    {"Edit5", nullptr, At(100, 112, 200, 24), &C::apiUserEdit},
    {"Memo1", nullptr, At(316, 110, 230, 60), &C::resultMemo},
    {"Label3", nullptr, At(16, 150), &C::addressLabel},
    {"Edit10", nullptr, At(100, 148, 200, 24), &C::addressEdit},
    {"Label6", nullptr, At(16, 178), &C::pdfFolderLabel},
    {"Edit9", nullptr, At(100, 176, 340, 24), &C::pdfFolderEdit},
    {"Button8", nullptr, At(448, 176, 50, 25), &C::browseButton, &L::Button8Click},
    {"Label7", nullptr, At(16, 212), &C::institutionCodeLabel},
    {"Edit11", nullptr, At(100, 210, 100, 24), &C::institutionCodeEdit, nullptr, DigitsField},
    {"Label8", nullptr, At(220, 212), &C::refreshLabel},
    {"Edit12", nullptr, At(300, 210, 50, 24), &C::refreshEdit, nullptr, DigitsField},
    {"BtnImportCert", nullptr, At(16, 248, 160, 25), &C::BtnImportCert, &L::BtnImportCertClick},
    // Its handler may close the window: connected in the constructor.
    {"Button6", nullptr, At(440, 280, 100, 30), &C::saveAndCloseButton},
};

}  // namespace

TfrmSetting::TfrmSetting(QWidget* owner, ErrorReport errorReport)
    : FormWindow(owner, QStringLiteral("frmSetting"), QStringLiteral("WebORCA設定"), errorReport),
      ui_(
          this, [this] { showModels(); }, errorReport),
      logic_(ui_),
      controls_(*this, logic_, kControls) {
  setFixedSize(560, 320);
  connect(controls_.widget<QPushButton>(&C::saveAndCloseButton), &QPushButton::clicked, this, [this] {
    forward([this] {
      logic_.Button6Click();
      if (logic_.closeRequested()) close();
    });
  });
  const QRect over = owner ? owner->window()->frameGeometry()
                     : QGuiApplication::primaryScreen()
                         ? QGuiApplication::primaryScreen()->availableGeometry()
                         : QRect();
  if (over.isValid()) move(over.center() - rect().center());
  showModels();
}

TfrmSetting::~TfrmSetting() = default;

void TfrmSetting::showModels() {
  controls_.show();
  ShowWorkingCursor(this, logic_.controls().working);
}

void TfrmSetting::opened() {
  forward([this] { logic_.DataSet(); });
}

// Closing always saves. A refused write is kept for the opener, which raises it once the window
// is gone, so that the user learns of it instead of losing the settings silently.
void TfrmSetting::closing() {
  try {
    logic_.FormClose();
  } catch (...) {
    saveError_ = std::current_exception();
  }
}

void ShowSettingsWindow(QWidget* owner, const ErrorReport& errorReport) {
  std::exception_ptr saveError;
  {
    TfrmSetting window(owner, errorReport);
    window.exec();
    saveError = window.saveError();
  }
  if (saveError) std::rethrow_exception(saveError);
}
