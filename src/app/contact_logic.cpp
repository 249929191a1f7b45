#include "app/contact_logic.h"

#include <QDir>
#include <QFileInfo>

SupportDetails SupportDetails::Deployed() {
  return {QStringLiteral(RINMED_SUPPORT_ORGANISATION), QStringLiteral(RINMED_SUPPORT_ADDRESS),
          QStringLiteral(RINMED_SUPPORT_TEL),          QStringLiteral(RINMED_SUPPORT_PRODUCT_TEL),
          QStringLiteral(RINMED_SUPPORT_HOURS),        QStringLiteral(RINMED_SUPPORT_EMAIL),
          QStringLiteral(RINMED_SUPPORT_WEB_URL),      QStringLiteral(RINMED_SUPPORT_WEB_TEXT)};
}

ContactLogic::ContactLogic(ContactUi& ui, SupportDetails details, QString manualPath)
    : ui_(ui), details_(std::move(details)), manualPath_(std::move(manualPath)) {}

QString ContactLogic::LabelTelText() const {
  return QStringLiteral("TEL: ") + details_.tel + QStringLiteral("　（リンメド専用: ") + details_.productTel +
         QStringLiteral("）");
}

void ContactLogic::BtnManualClick() {
  if (QFileInfo::exists(manualPath_)) {
    ui_.OpenWithDefaultProgram(QUrl::fromLocalFile(QDir::fromNativeSeparators(manualPath_)));
  } else {
    ui_.MessageBox(MessageKind::Warning,
                   QStringLiteral("マニュアルファイルが見つかりません。\r\n") + manualPath_);
  }
}

void ContactLogic::BtnWebClick() {
  ui_.OpenWithDefaultProgram(QUrl(details_.webUrl));
}

void ContactLogic::BtnEmailClick() {
  ui_.OpenWithDefaultProgram(QUrl(QStringLiteral("mailto:") + details_.email));
}
