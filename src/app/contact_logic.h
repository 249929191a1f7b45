#pragma once

#include <QString>
#include <QUrl>

#include "windowmodel/desktop_services.h"

// What the contact window asks of the desktop: a box, and opening a file, a web address or a new
// mail with the desktop's default program — without waiting for that program.
class ContactUi : public DesktopServices {};

// The support desk as whoever deploys the program describes it (set at configure time).
struct SupportDetails {
  QString organisation;  // the providing organisation and its support desk
  QString address;
  QString tel;
  QString productTel;  // the number dedicated to this program
  QString hours;
  QString email;
  QString webUrl;
  QString webText;  // one line on what the web site offers

  static SupportDetails Deployed();
};

// The manual is installed at this fixed place, wherever the program itself lives.
inline const QString kManualPath = QStringLiteral("C:\\リンメド\\マニュアル\\リンメドマニュアル.pdf");

// The contact window without its widgets: the texts it shows and its four actions.
class ContactLogic {
 public:
  ContactLogic(ContactUi& ui, SupportDetails details, QString manualPath = kManualPath);

  QString LabelOrgNameText() const { return details_.organisation; }
  QString LabelAddress1Text() const { return details_.address; }
  QString LabelTelText() const;
  QString LabelHoursText() const { return details_.hours; }
  QString LabelEmailText() const { return QStringLiteral("e-mail: ") + details_.email; }
  QString LabelWebUrlText() const { return details_.webText; }

  void BtnManualClick();
  void BtnWebClick();
  void BtnEmailClick();
  void LabelEmailClick() { BtnEmailClick(); }

 private:
  ContactUi& ui_;
  SupportDetails details_;
  QString manualPath_;
};
