#include "app/main_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include "core/error_message.h"
#include "widgets/ui_fonts.h"

namespace {

QPushButton* Button(QWidget* parent, const QString& name, const QString& caption, const QRect& geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  return button;
}

QLabel* Label(QWidget* parent, const QString& name, const QString& text, int pixelSize,
              const QRect& geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setFont(ProportionalUiFont(pixelSize));
  QPalette black = label->palette();
  black.setColor(QPalette::WindowText, Qt::black);
  label->setPalette(black);
  label->setGeometry(geometry);
  return label;
}

}  // namespace

QString MakerLeadText(const QString& makerLine) {
  const qsizetype bar = makerLine.indexOf(QLatin1Char('|'));
  return bar < 0 ? QString() : makerLine.left(bar);
}

QString MakerRestText(const QString& makerLine) {
  const qsizetype bar = makerLine.indexOf(QLatin1Char('|'));
  return bar < 0 ? makerLine : makerLine.mid(bar + 1);
}

TfrmMain::TfrmMain(LauncherServices services)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      services_(std::move(services)) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("リンメド"));
  setFont(ProportionalUiFont(12));
  setFixedSize(420, 320);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }

  QPushButton* close =
      Button(this, QStringLiteral("BitBtn1"), QStringLiteral("閉じる(&C)"), {330, 8, 75, 25});
  close->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  connect(Button(this, QStringLiteral("Button1"), QStringLiteral("患者薬剤情報"), {160, 48, 100, 45}),
          &QPushButton::clicked, this, [this] { forward([this] { Button1Click(); }); });
  connect(Button(this, QStringLiteral("Button2"), QStringLiteral("詳細設定"), {160, 118, 100, 45}),
          &QPushButton::clicked, this, [this] { forward([this] { Button2Click(); }); });
  connect(Button(this, QStringLiteral("Button3"), QStringLiteral("お問い合わせ"), {160, 190, 100, 45}),
          &QPushButton::clicked, this, [this] { forward([this] { Button3Click(); }); });

  QLabel* version =
      Label(this, QStringLiteral("LabelVersion"), QStringLiteral("Version 1.0"), 11, {14, 305, 93, 14});
  version->setAlignment(Qt::AlignCenter);
  const QString maker = QStringLiteral(RINMED_MAKER_LINE);
  Label(this, QStringLiteral("Label1"), MakerLeadText(maker), 19, {8, 283, 0, 0})->adjustSize();
  Label(this, QStringLiteral("Label2"), MakerRestText(maker), 13, {10, 288, 0, 0})->adjustSize();
  QLabel* provide = Label(this, QStringLiteral("LabelProvide"), QStringLiteral(RINMED_PROVIDER_LINE), 13,
                          {266, 288, 151, 15});
  provide->setAlignment(Qt::AlignCenter);
}

// The launcher's handlers hold no handler guard: the windows they open run their own handlers,
// and a guard held for the life of a modal window would drop all of its timer ticks.
void TfrmMain::forward(const std::function<void()>& handler) {
  RunReportingErrors(handler, [this](const QString& typeName, const QString& message) {
    services_.errorReport(this, typeName, message);
  });
}

void TfrmMain::Button1Click() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  std::unique_ptr<QDialog> form;
  try {
    form = services_.createDrugInfo(this);
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    services_.errorBox(this, QStringLiteral("患者薬剤情報フォームの生成に失敗しました。\r\n") +
                                 ExceptionTypeName(e) + QStringLiteral(": ") + ErrorMessage(e));
    return;
  }
  QApplication::restoreOverrideCursor();
  form->exec();  // the form is destroyed when it has closed, also when showing it raised an error
}

void TfrmMain::Button2Click() {
  services_.openSettings(this);
}

void TfrmMain::Button3Click() {
  services_.openContact(this);
}
