#pragma once

#include <QDialog>
#include <memory>

#include "app/contact_logic.h"

// The contact window: how to reach the support desk, with the manual, the web site and a new
// mail one click away. Each widget's objectName is its reference name.
class TfrmContact : public QDialog {
  Q_OBJECT
 public:
  // `services` replaces the desktop's own (tests); the window does not take it over.
  explicit TfrmContact(QWidget* owner, ContactUi* services = nullptr,
                       SupportDetails details = SupportDetails::Deployed());
  ~TfrmContact() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void forward(const std::function<void()>& handler);

  std::unique_ptr<ContactUi> ownServices_;
  ContactLogic logic_;
};
