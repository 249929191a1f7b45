#include "app/contact_window.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "windowmodel/handler_runner.h"
#include "widgets/error_report.h"
#include "widgets/qt_desktop.h"
#include "widgets/ui_fonts.h"

namespace {

using DesktopContactUi = QtDesktop<ContactUi>;

QLabel* Label(QWidget* parent, const QString& name, const QString& text, int x, int y, int pixelSize = 12,
              bool bold = false) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = ProportionalUiFont(pixelSize);
  font.setBold(bold);
  label->setFont(font);
  label->move(x, y);
  label->adjustSize();
  return label;
}

QLabel* SectionTitle(QWidget* parent, const QString& name, const QString& text, int x, int y) {
  QLabel* label = Label(parent, name, text, x, y, 14, true);
  QPalette navy = label->palette();
  navy.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
  label->setPalette(navy);
  return label;
}

void Rule(QWidget* parent, const QString& name, int y) {
  auto* line = new QFrame(parent);
  line->setObjectName(name);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(16, y, 448, 2);
}

}  // namespace

TfrmContact::TfrmContact(QWidget* owner, ContactUi* services, SupportDetails details)
    : QDialog(owner),
      ownServices_(services ? nullptr : std::make_unique<DesktopContactUi>(this, [] {})),
      logic_(services ? *services : *ownServices_, std::move(details)) {
  setObjectName(QStringLiteral("frmContact"));
  setWindowTitle(QStringLiteral("お問い合わせ"));
  setFont(ProportionalUiFont(12));
  setFixedSize(480, 420);
  setAutoFillBackground(true);
  QPalette background = palette();
  background.setColor(QPalette::Window, background.color(QPalette::Base));
  setPalette(background);

  Label(this, QStringLiteral("LabelTitle"), QStringLiteral("お問い合わせ"), 16, 12, 18, true);
  Rule(this, QStringLiteral("BevelLine1"), 44);
  SectionTitle(this, QStringLiteral("LabelSupportTitle"), QStringLiteral("[サポート窓口]"), 16, 56);
  Label(this, QStringLiteral("LabelOrgName"), logic_.LabelOrgNameText(), 32, 80, 13, true);
  Label(this, QStringLiteral("LabelAddress1"), logic_.LabelAddress1Text(), 32, 102);
  Label(this, QStringLiteral("LabelTel"), logic_.LabelTelText(), 32, 122);
  Label(this, QStringLiteral("LabelHours"), logic_.LabelHoursText(), 32, 142);
  QLabel* email = Label(this, QStringLiteral("LabelEmail"), logic_.LabelEmailText(), 32, 164);
  QFont underlined = email->font();
  underlined.setUnderline(true);
  email->setFont(underlined);
  email->adjustSize();
  QPalette blue = email->palette();
  blue.setColor(QPalette::WindowText, Qt::blue);
  email->setPalette(blue);
  email->setCursor(Qt::PointingHandCursor);
  email->installEventFilter(this);

  auto button = [this](const QString& name, const QString& caption, const QRect& geometry,
                       std::function<void()> handler) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, handler] { forward(handler); });
    return b;
  };
  button(QStringLiteral("BtnEmail"), QStringLiteral("メール送信"), {364, 160, 100, 25},
         [this] { logic_.BtnEmailClick(); });
  Rule(this, QStringLiteral("BevelLine2"), 196);
  SectionTitle(this, QStringLiteral("LabelManualTitle"), QStringLiteral("[マニュアル]"), 16, 208);
  button(QStringLiteral("BtnManual"), QStringLiteral("リンメドマニュアルを開く"), {32, 232, 200, 30},
         [this] { logic_.BtnManualClick(); });
  SectionTitle(this, QStringLiteral("LabelWebTitle"), QStringLiteral("[Webサイト]"), 16, 276);
  QLabel* web = Label(this, QStringLiteral("LabelWebUrl"), logic_.LabelWebUrlText(), 32, 300);
  web->setWordWrap(true);
  web->setGeometry(32, 300, 432, 32);
  button(QStringLiteral("BtnWeb"), QStringLiteral("Webサイトを開く"), {32, 336, 200, 30},
         [this] { logic_.BtnWebClick(); });
  button(QStringLiteral("BtnClose"), QStringLiteral("閉じる(&C)"), {384, 380, 80, 30}, [this] { accept(); });

  const QRect over = owner ? owner->window()->frameGeometry()
                     : QGuiApplication::primaryScreen()
                         ? QGuiApplication::primaryScreen()->availableGeometry()
                         : QRect();
  if (over.isValid()) move(over.center() - rect().center());
}

TfrmContact::~TfrmContact() = default;

bool TfrmContact::eventFilter(QObject* watched, QEvent* event) {
  if (watched->objectName() == QLatin1String("LabelEmail") && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    forward([this] { logic_.LabelEmailClick(); });
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TfrmContact::forward(const std::function<void()>& handler) {
  RunReportingErrors(handler, [this](const QString& typeName, const QString& message) {
    ShowErrorReport(this, typeName, message);
  });
}
