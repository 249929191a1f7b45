#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include "app/contact_window.h"
#include "temp_program_folder.h"
#include "windowmodel/headless_desktop.h"

namespace {

class RecordingContactUi : public HeadlessDesktop<ContactUi> {
 public:
  void MessageBox(MessageKind kind, const QString& text) override { messages.emplace_back(kind, text); }
  void OpenWithDefaultProgram(const QUrl& target) override { opened << target; }
  std::vector<std::pair<MessageKind, QString>> messages;
  QList<QUrl> opened;
};

const SupportDetails kDetails{"見本サポート　窓口",
                              "〒100-0001 見本市1-1",
                              "03-0000-0000",
                              "03-0000-0001",
                              "平日 9:00-17:00",
                              "help@example.jp",
                              "https://example.jp/rinmed/",
                              "ダウンロードとマニュアル"};

class ContactTest : public TempProgramFolder {
 protected:
  RecordingContactUi ui_;
};

TEST_F(ContactTest, manualAtItsFixedPlaceOrAWarning) {
  EXPECT_EQ(kManualPath, "C:\\リンメド\\マニュアル\\リンメドマニュアル.pdf");
  ContactLogic missing(ui_, kDetails);
  missing.BtnManualClick();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].first, MessageKind::Warning);
  EXPECT_EQ(ui_.messages[0].second,
            "マニュアルファイルが見つかりません。\r\nC:\\リンメド\\マニュアル\\リンメドマニュアル.pdf");
  EXPECT_TRUE(ui_.opened.isEmpty());

  writeFile("manual.pdf", "%PDF-1.4\n");
  ContactLogic present(ui_, kDetails, path("manual.pdf"));
  present.BtnManualClick();
  EXPECT_EQ(ui_.opened, QList<QUrl>{QUrl::fromLocalFile(path("manual.pdf"))});
  EXPECT_EQ(ui_.messages.size(), 1u);
}

TEST_F(ContactTest, webAndMailOpenWithTheDesktopsPrograms) {
  ContactLogic logic(ui_, kDetails);
  logic.BtnWebClick();
  logic.BtnEmailClick();
  logic.LabelEmailClick();
  EXPECT_EQ(ui_.opened, (QList<QUrl>{QUrl("https://example.jp/rinmed/"), QUrl("mailto:help@example.jp"),
                                     QUrl("mailto:help@example.jp")}));
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(ContactTest, deployedDetailsComeFromTheBuild) {
  const SupportDetails d = SupportDetails::Deployed();
  EXPECT_EQ(d.email, RINMED_SUPPORT_EMAIL_FOR_TEST);
  EXPECT_EQ(d.webUrl, RINMED_SUPPORT_WEB_URL_FOR_TEST);
  EXPECT_EQ(QUrl(d.webUrl).scheme(), "https");
  EXPECT_EQ(d.organisation, RINMED_SUPPORT_ORGANISATION_FOR_TEST);
}

TEST_F(ContactTest, windowShowsTheDeskAndItsControlsAct) {
  TfrmContact w(nullptr, &ui_, kDetails);
  w.show();
  EXPECT_EQ(w.windowTitle(), "お問い合わせ");
  EXPECT_EQ(w.size(), QSize(480, 420));
  struct Text {
    const char* name;
    const char* text;
    int pixelSize;
    bool bold;
  } texts[] = {{"LabelTitle", "お問い合わせ", 18, true},
               {"LabelSupportTitle", "[サポート窓口]", 14, true},
               {"LabelOrgName", "見本サポート　窓口", 13, true},
               {"LabelAddress1", "〒100-0001 見本市1-1", 12, false},
               {"LabelHours", "平日 9:00-17:00", 12, false},
               {"LabelEmail", "e-mail: help@example.jp", 12, false},
               {"LabelManualTitle", "[マニュアル]", 14, true},
               {"LabelWebTitle", "[Webサイト]", 14, true},
               {"LabelWebUrl", "ダウンロードとマニュアル", 12, false}};
  for (const Text& t : texts) {
    auto* label = w.findChild<QLabel*>(t.name);
    ASSERT_TRUE(label) << t.name;
    EXPECT_EQ(label->text(), QString::fromUtf8(t.text)) << t.name;
    EXPECT_EQ(label->font().pixelSize(), t.pixelSize) << t.name;
    EXPECT_EQ(label->font().bold(), t.bold) << t.name;
  }
  EXPECT_TRUE(w.findChild<QLabel*>("LabelTel")->text().contains("03-0000-0001"));
  EXPECT_EQ(w.findChild<QLabel*>("LabelSupportTitle")->palette().color(QPalette::WindowText),
            QColor(0, 0, 0x80));
  auto* email = w.findChild<QLabel*>("LabelEmail");
  EXPECT_TRUE(email->font().underline());
  EXPECT_EQ(email->palette().color(QPalette::WindowText), QColor(Qt::blue));
  EXPECT_EQ(email->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_TRUE(w.findChild<QLabel*>("LabelWebUrl")->wordWrap());
  EXPECT_TRUE(w.findChild<QWidget*>("BevelLine1") && w.findChild<QWidget*>("BevelLine2"));
  struct Button {
    const char* name;
    const char* caption;
    QSize size;
  } buttons[] = {{"BtnEmail", "メール送信", {100, 25}},
                 {"BtnManual", "リンメドマニュアルを開く", {200, 30}},
                 {"BtnWeb", "Webサイトを開く", {200, 30}},
                 {"BtnClose", "閉じる(&C)", {80, 30}}};
  for (const Button& b : buttons) {
    auto* button = w.findChild<QPushButton*>(b.name);
    ASSERT_TRUE(button) << b.name;
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
    EXPECT_EQ(button->size(), b.size) << b.name;
  }

  w.findChild<QPushButton*>("BtnWeb")->click();
  w.findChild<QPushButton*>("BtnEmail")->click();
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), email->mapToGlobal(QPointF(2, 2)),
                      Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(email, &release);
  EXPECT_EQ(ui_.opened.size(), 3);
  EXPECT_EQ(ui_.opened.last(), QUrl("mailto:help@example.jp"));
  w.findChild<QPushButton*>("BtnClose")->click();
  EXPECT_FALSE(w.isVisible());
}

}  // namespace
