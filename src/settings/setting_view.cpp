#include "settings/setting_view.h"

#include "widgets/desktop_dialogs.h"
#include "widgets/typing_limit.h"
#include "widgets/ui_fonts.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

template <class T>
T* Named(QWidget* parent, const QString& name) {
  auto* widget = new T(parent);
  widget->setObjectName(name);
  return widget;
}

}  // namespace

TfrmSetting::TfrmSetting(QWidget* owner, ErrorReport errorReport)
    : QDialog(owner),
      ui_(
          this, [this] { showModels(); }, errorReport),
      logic_(ui_),
      errorReport_(std::move(errorReport)) {
  setObjectName(QStringLiteral("frmSetting"));
  setWindowTitle(QStringLiteral("WebORCA設定"));
  setFont(ProportionalUiFont(12));
  setFixedSize(560, 320);
  build();
  const QRect over = owner ? owner->window()->frameGeometry()
                     : QGuiApplication::primaryScreen()
                         ? QGuiApplication::primaryScreen()->availableGeometry()
                         : QRect();
  if (over.isValid()) move(over.center() - rect().center());
  showModels();
}

TfrmSetting::~TfrmSetting() = default;

QLineEdit* TfrmSetting::edit(const QString& name, const QRect& geometry, EditModel SettingControls::*model) {
  auto* e = Named<QLineEdit>(this, name);
  e->setGeometry(geometry);
  const int maxLength = (logic_.controls().*model).maxLength;
  if (maxLength < e->maxLength()) new TypingLimit(e, maxLength);
  connect(e, &QLineEdit::textEdited, this,
          [this, model](const QString& text) { (logic_.controls().*model).text = text; });
  return e;
}

void TfrmSetting::build() {
  auto label = [this](const QString& name, int x, int y) {
    auto* l = Named<QLabel>(this, name);
    l->move(x, y);
  };
  auto button = [this](const QString& name, const QRect& geometry, std::function<void()> handler) {
    auto* b = Named<QPushButton>(this, name);
    b->setGeometry(geometry);
    b->setAutoDefault(false);  // Enter in a field must not start a connection test
    connect(b, &QPushButton::clicked, this, [this, handler] { forward(handler); });
  };
  auto radio = [this](const QString& name, const QRect& geometry, std::function<void()> handler) {
    auto* r = Named<QRadioButton>(this, name);
    r->setGeometry(geometry);
    connect(r, &QRadioButton::clicked, this, [this, handler](bool checked) {
      if (checked) forward(handler);
    });
  };

  // One line per control: its reference name (the widget's objectName), where it stands, and its
  // model or handler.
  label(QStringLiteral("Label5"), 16, 16);
  edit(QStringLiteral("Edit1"), {100, 14, 400, 24}, &SettingControls::urlEdit);
  radio(QStringLiteral("RadioButton1"), {16, 48, 100, 17}, [this] { logic_.CheckRadioButton1(); });
  radio(QStringLiteral("RadioButton2"), {130, 48, 100, 17}, [this] { logic_.CheckRadioButton2(); });
  edit(QStringLiteral("Edit8"), {100, 46, 340, 24}, &SettingControls::testPathEdit);
  label(QStringLiteral("Label1"), 16, 82);
  edit(QStringLiteral("Edit6"), {100, 80, 200, 24}, &SettingControls::apiKeyEdit);
  button(QStringLiteral("Button3"), {316, 80, 80, 25}, [this] { logic_.Button3Click(); });
  label(QStringLiteral("Label4"), 16, 114);
  edit(QStringLiteral("Edit5"), {100, 112, 200, 24}, &SettingControls::apiUserEdit);
  auto* memo = Named<QPlainTextEdit>(this, QStringLiteral("Memo1"));
  memo->setGeometry(316, 110, 230, 60);
  memo->setReadOnly(true);
  label(QStringLiteral("Label3"), 16, 150);
  edit(QStringLiteral("Edit10"), {100, 148, 200, 24}, &SettingControls::addressEdit);
  label(QStringLiteral("Label6"), 16, 178);
  edit(QStringLiteral("Edit9"), {100, 176, 340, 24}, &SettingControls::pdfFolderEdit);
  button(QStringLiteral("Button8"), {448, 176, 50, 25}, [this] { logic_.Button8Click(); });
  label(QStringLiteral("Label7"), 16, 212);
  edit(QStringLiteral("Edit11"), {100, 210, 100, 24}, &SettingControls::institutionCodeEdit);
  label(QStringLiteral("Label8"), 220, 212);
  edit(QStringLiteral("Edit12"), {300, 210, 50, 24}, &SettingControls::refreshEdit);
  button(QStringLiteral("BtnImportCert"), {16, 248, 160, 25}, [this] { logic_.BtnImportCertClick(); });
  button(QStringLiteral("Button6"), {440, 280, 100, 30}, [this] {
    logic_.Button6Click();
    if (logic_.closeRequested()) close();
  });
}

void TfrmSetting::showModels() {
  const SettingControls& c = logic_.controls();
  auto showLabel = [this](const char* name, const LabelModel& model) {
    auto* l = findChild<QLabel*>(QLatin1String(name));
    if (l->text() != model.text) {
      l->setText(model.text);
      l->adjustSize();
    }
    l->setVisible(model.visible);
  };
  auto showEdit = [this](const char* name, const EditModel& model) {
    auto* e = findChild<QLineEdit*>(QLatin1String(name));
    if (e->text() != model.text) {
      if (auto* limit = qobject_cast<TypingLimit*>(const_cast<QValidator*>(e->validator())))
        limit->setText(model.text);  // a stored value longer than the limit stays whole
      else
        e->setText(model.text);
    }
    e->setVisible(model.visible);
    e->setAttribute(Qt::WA_InputMethodEnabled, model.imeMode != ImeMode::Closed);
    if (model.imeMode == ImeMode::Closed)
      e->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhNoPredictiveText);
  };
  auto showButton = [this](const char* name, const ButtonModel& model) {
    auto* b = findChild<QPushButton*>(QLatin1String(name));
    b->setText(model.caption);
    b->setVisible(model.visible);
    b->setEnabled(model.enabled);
  };
  auto showRadio = [this](const char* name, const RadioButtonModel& model) {
    auto* r = findChild<QRadioButton*>(QLatin1String(name));
    r->setText(model.caption);
    // Both buttons can be off (no mode stored yet), which exclusive buttons would not allow.
    r->setAutoExclusive(false);
    r->setChecked(model.checked);
    r->setAutoExclusive(true);
  };
  showLabel("Label5", c.urlLabel);
  showEdit("Edit1", c.urlEdit);
  showRadio("RadioButton1", c.cloudRadio);
  showRadio("RadioButton2", c.onPremiseRadio);
  showEdit("Edit8", c.testPathEdit);
  showLabel("Label1", c.apiKeyLabel);
  showEdit("Edit6", c.apiKeyEdit);
  showButton("Button3", c.connectionTestButton);
  showLabel("Label4", c.apiUserLabel);
  showEdit("Edit5", c.apiUserEdit);
  auto* memo = findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
  const QString memoText = c.resultMemo.lines.join(QLatin1Char('\n'));
  if (memo->toPlainText() != memoText) memo->setPlainText(memoText);
  showLabel("Label3", c.addressLabel);
  showEdit("Edit10", c.addressEdit);
  showLabel("Label6", c.pdfFolderLabel);
  showEdit("Edit9", c.pdfFolderEdit);
  showButton("Button8", c.browseButton);
  showLabel("Label7", c.institutionCodeLabel);
  showEdit("Edit11", c.institutionCodeEdit);
  showLabel("Label8", c.refreshLabel);
  showEdit("Edit12", c.refreshEdit);
  showButton("BtnImportCert", c.BtnImportCert);
  showButton("Button6", c.saveAndCloseButton);
  ShowWorkingCursor(this, c.working);
}

void TfrmSetting::forward(const std::function<void()>& handler) {
  RunReportingErrors(handler, errorReport_);
  showModels();
}

void TfrmSetting::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  forward([this] { logic_.DataSet(); });
}

// Closing always saves. A refused write is kept for the opener, which raises it once the window
// is gone, so that the user learns of it instead of losing the settings silently.
void TfrmSetting::done(int result) {
  if (!closed_) {
    closed_ = true;
    try {
      logic_.FormClose();
    } catch (...) {
      saveError_ = std::current_exception();
    }
  }
  QDialog::done(result);
}

// A form without a cancel button: Escape does not close it.
void TfrmSetting::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;
  QDialog::keyPressEvent(event);
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
