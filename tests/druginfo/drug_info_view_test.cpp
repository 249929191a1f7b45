#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMap>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "core/clock.h"
#include "core/ini_file.h"
#include "drug_info_fixture.h"
#include "druginfo/drug_info_view.h"
#include "findings/check_indicator_label.h"
#include "findings/findings_window.h"
#include "findings/tone_colour.h"
#include "pdf_builder.h"
#include "scripted_orca.h"
#include "temp_program_folder.h"
#include "wait_until_idle.h"

class DrugInfoViewTest : public TempProgramFolder {
 protected:
  void SetUp() override {
    TempProgramFolder::SetUp();
    SetClockForTesting([] { return QDateTime(QDate(2024, 5, 1), QTime(10, 0)); });
  }
  std::unique_ptr<TfrmDrugInfo> open() {
    auto window =
        std::make_unique<TfrmDrugInfo>(nullptr, [this](const QString& type, const QString& message) {
          reports << type + QStringLiteral(": ") + message;
        });
    window->show();
    WaitUntilIdle(window->logic());
    return window;
  }
  // Presses OK on the next modal box and returns its text.
  void answerNextBox(QString* text) {
    QTimer::singleShot(0, [text] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        *text = box->text();
        box->accept();
      }
    });
  }
  static QString label(QWidget* w, const char* name) {
    return w->findChild<QLabel*>(QString::fromLatin1(name))->text();
  }

  QStringList reports;
};

TEST_F(DrugInfoViewTest, opensInItsStartingStateWithoutSettingsFile) {
  auto w = open();
  EXPECT_EQ(w->windowTitle(), QStringLiteral("リンメド"));
  EXPECT_EQ(label(w.get(), "LabelDate"), QStringLiteral("2024年05月01日"));
  EXPECT_EQ(label(w.get(), "LabelListState"), QStringLiteral("全て"));
  EXPECT_EQ(label(w.get(), "LabelSelfMonth"), QStringLiteral("2024年05月"));
  auto* grid = w->findChild<QTableWidget*>(QStringLiteral("GridPatient"));
  ASSERT_TRUE(grid);
  EXPECT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(grid->columnCount(), 4);
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QStringLiteral("カルテ番号"));
  EXPECT_EQ(grid->item(0, 1)->text(), QString());
  EXPECT_EQ(grid->columnWidth(2), 100);
  for (QWidget* top : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(qobject_cast<QMessageBox*>(top) && top->isVisible()) << "no message";
  }
  EXPECT_FALSE(QFile::exists(path(QStringLiteral("Log.txt")))) << "no request was sent";
  EXPECT_TRUE(reports.isEmpty());
}

TEST_F(DrugInfoViewTest, everyControlCarriesItsReferenceName) {
  auto w = open();
  for (const char* name :
       {"PanelLeft",        "PanelSearch",     "ComboBoxSearch",   "EditSearch",       "BtnSearch",
        "BtnPDFY",          "BtnPDFT",         "LabelDate",        "Label1",           "Label2",
        "LabelAge",         "PanelDateNav",    "LabelListState",   "BtnKaikeiMi",      "BtnPrevDay",
        "BtnNextDay",       "BtnToday",        "GridPatient",      "PanelMain",        "PanelTopGrid",
        "LabelJusinreki",   "GridInstitution", "PanelBottom",      "PanelBottomLeft",  "PanelSelfHeader",
        "LabelSelfTitle",   "LabelSelfMonth",  "BtnSelfPrevMonth", "BtnSelfNextMonth", "MemoSelf",
        "PanelBottomRight", "PanelRightNav",   "BtnCopy",          "BtnPrint",         "BtnBack",
        "LabelTainName",    "LabelTainMonth",  "MemoTain",         "TimerRefresh",     "MenuSetting",
        "MenuWebORCA"}) {
    EXPECT_TRUE(w->findChild<QObject*>(QString::fromLatin1(name))) << name;
  }
  EXPECT_EQ(w->findChild<QPushButton*>(QStringLiteral("BtnKaikeiMi"))->text(), QStringLiteral("受付中"));
  EXPECT_FALSE(w->findChild<QPushButton*>(QStringLiteral("BtnBack"))->isVisible());
  EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("PanelLeft"))->width(), 290);
  EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("PanelBottomLeft"))->width(), 400);
  EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("PanelTopGrid"))->height(), 140);
  EXPECT_EQ(w->findChild<QWidget*>(QStringLiteral("PanelLeft"))->height(), 700);
  EXPECT_EQ(w->findChild<QMenu*>(QStringLiteral("MenuSetting"))->title(), QStringLiteral("設定(&S)"));
}

TEST_F(DrugInfoViewTest, fontsFollowTheLayout) {
  auto w = open();
  const QFont date = w->findChild<QLabel*>(QStringLiteral("LabelDate"))->font();
  EXPECT_TRUE(date.bold());
  EXPECT_EQ(date.pixelSize(), 13);
  const QFont memo = w->findChild<QPlainTextEdit*>(QStringLiteral("MemoTain"))->font();
  EXPECT_EQ(memo.pixelSize(), 12);
  EXPECT_TRUE(memo.family() == QStringLiteral("ＭＳ ゴシック") ||
              memo.family() == QStringLiteral("MS Gothic") || memo.family() == QStringLiteral("IPAGothic"))
      << memo.family().toStdString();
  const QFont ui = w->font();
  EXPECT_TRUE(ui.family() == QStringLiteral("ＭＳ Ｐゴシック") ||
              ui.family() == QStringLiteral("MS PGothic") || ui.family() == QStringLiteral("IPAPGothic"))
      << ui.family().toStdString();
  // Whichever it is, it is a font of the system that draws Japanese.
  for (const QFont& font : {memo, ui}) {
    EXPECT_TRUE(QFontMetrics(font).inFontUcs4(U'薬')) << QFontInfo(font).family().toStdString();
    EXPECT_TRUE(QFontInfo(font).exactMatch() || QFontInfo(font).family().contains("IPA") ||
                QFontInfo(font).family().contains("ゴシック"))
        << QFontInfo(font).family().toStdString();
  }
}

TEST_F(DrugInfoViewTest, listsADayFromOrcaWithItsMarks) {
  ScriptedOrca orca;
  orca.configure();
  orca.answer(QStringLiteral("api01rv2/acceptlstv2?class=03"),
              HttpAction::Ok(AcceptanceAnswer({{QStringLiteral("12"), QStringLiteral("山田　太郎")},
                                               {QStringLiteral("13"), QStringLiteral("佐藤　花子")}})));
  orca.answer(QStringLiteral("api01rv2/onlinedruggetv2"), HttpAction::Ok(kOneMonthListed),
              QStringLiteral("13"));
  auto w = open();
  auto* grid = w->findChild<QTableWidget*>(QStringLiteral("GridPatient"));
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("山田　太郎"));
  EXPECT_EQ(grid->item(1, 3)->text(), QStringLiteral("◎"));
  grid->setCurrentCell(1, 0);
  EXPECT_EQ(w->logic().patientRow(), 2);
}

// What the user sees highlighted is what a double-click opens: right after the list appears, and
// after a day change that refilled the rows under an earlier selection.
TEST_F(DrugInfoViewTest, aDoubleClickOnARowOpensThePatientOfThatRow) {
  ScriptedOrca orca;
  orca.configure();
  const QString list = QStringLiteral("api01rv2/acceptlstv2?class=03");
  orca.answer(list, HttpAction::Ok(AcceptanceAnswer({{QStringLiteral("12"), QStringLiteral("山田　太郎")},
                                                     {QStringLiteral("13"), QStringLiteral("佐藤　花子")}})));
  auto w = open();
  auto* grid = w->findChild<QTableWidget*>(QStringLiteral("GridPatient"));
  ASSERT_EQ(grid->rowCount(), 2);
  EXPECT_TRUE(grid->selectedItems().isEmpty()) << "nothing is selected, so nothing is highlighted";
  // As a mouse does it: a click, then a second press that the platform reports as a double-click.
  auto doubleClick = [&w, grid](int tableRow) {
    QWidget* viewport = grid->viewport();
    const QPoint at = grid->visualItemRect(grid->item(tableRow, 0)).center();
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, viewport->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &twice);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, at);
    WaitUntilIdle(w->logic());
  };

  doubleClick(0);
  EXPECT_EQ(label(w.get(), "Label1"), QStringLiteral("12"));
  EXPECT_EQ(label(w.get(), "Label2"), QStringLiteral("山田　太郎"));
  EXPECT_EQ(grid->selectedItems().size(), 4) << "the opened row is highlighted";

  doubleClick(1);
  EXPECT_EQ(label(w.get(), "Label1"), QStringLiteral("13"));
  orca.answer(list, HttpAction::Ok(AcceptanceAnswer({{QStringLiteral("21"), QStringLiteral("鈴木　一郎")},
                                                     {QStringLiteral("22"), QStringLiteral("高橋　次郎")}})));
  w->findChild<QPushButton*>(QStringLiteral("BtnPrevDay"))->click();
  WaitUntilIdle(w->logic());
  EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("21"));
  EXPECT_TRUE(grid->selectedItems().isEmpty());
  doubleClick(0);
  EXPECT_EQ(label(w.get(), "Label1"), QStringLiteral("21"));
  EXPECT_EQ(label(w.get(), "Label2"), QStringLiteral("鈴木　一郎"));
}

// The search row as a user works it: typing reaches the model, Enter searches without leaving a
// character behind, and the input method follows the search kind.
TEST_F(DrugInfoViewTest, theSearchRowWorksFromTheKeyboard) {
  ScriptedOrca orca;
  orca.configure();
  orca.answer(QStringLiteral("api01rv2/patientgetv2?id=12"),
              HttpAction::Ok("<WholeName type=\"string\">山田　太郎</WholeName>\n"));
  auto w = open();
  auto* edit = w->findChild<QLineEdit*>(QStringLiteral("EditSearch"));
  auto* kind = w->findChild<QComboBox*>(QStringLiteral("ComboBoxSearch"));
  EXPECT_FALSE(edit->testAttribute(Qt::WA_InputMethodEnabled)) << "numbers first: the input method is off";

  edit->setFocus();
  QTest::keyClicks(edit, QStringLiteral("12"));
  EXPECT_EQ(w->logic().controls().EditSearch.text, QStringLiteral("12"));
  QTest::keyClick(edit, Qt::Key_Return);
  WaitUntilIdle(w->logic());
  EXPECT_EQ(edit->text(), QStringLiteral("12"));
  EXPECT_EQ(label(w.get(), "Label1"), QStringLiteral("12"));
  EXPECT_EQ(label(w.get(), "Label2"), QStringLiteral("山田　太郎"));

  kind->setFocus();
  QTest::keyClick(kind, Qt::Key_Down);  // to 漢字氏名
  EXPECT_EQ(kind->currentIndex(), 1);
  EXPECT_EQ(edit->text(), QString()) << "a new kind empties the text";
  EXPECT_TRUE(edit->testAttribute(Qt::WA_InputMethodEnabled));
  EXPECT_TRUE(edit->hasFocus());
  QTest::keyClick(kind, Qt::Key_Up);
  EXPECT_FALSE(edit->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(DrugInfoViewTest, theRefreshIntervalOfTheSettingsReachesTheTimer) {
  writeFile(QStringLiteral("user.ini"), "[PARAMA]\r\nREFRESH=120\r\n");
  auto w = open();
  EXPECT_EQ(w->findChild<QTimer*>(QStringLiteral("TimerRefresh"))->interval(), 120000);
  EXPECT_TRUE(w->findChild<QTimer*>(QStringLiteral("TimerRefresh"))->isActive());
}

TEST_F(DrugInfoViewTest, explicitLoadWithoutSettingsWarns) {
  auto w = open();
  QString text;
  answerNextBox(&text);
  w->findChild<QPushButton*>(QStringLiteral("BtnPrevDay"))->click();
  EXPECT_EQ(text, QStringLiteral("WebORCAの設定がされていません。設定してください。"));
  EXPECT_EQ(label(w.get(), "LabelDate"), QStringLiteral("2024年04月30日"));
}

TEST_F(DrugInfoViewTest, errorEscapingAHandlerIsReportedAndTheWindowGoesOn) {
  ScriptedOrca orca;
  orca.configure();
  orca.answer(QStringLiteral("api01rv2/acceptlstv2?class=03"),
              HttpAction::Ok(AcceptanceAnswer({{QStringLiteral("12"), QStringLiteral("山田　太郎")}})));
  orca.answer(QStringLiteral("api01rv2/patientgetv2?id=12"),
              HttpAction::Ok("<xmlio2>\n    <WholeName type=\"string\">山田　太郎</WholeName>\n</xmlio2>\n"));
  orca.answer(QStringLiteral("api01rv2/onlinedruggetv2"), HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  orca.answer(QStringLiteral("api01rv2/onlinespecgetv2"), HttpAction::Ok("<xmlio2>\n</xmlio2>\n"));
  // A check-up PDF whose ToUnicode CMap cannot be read ends the patient's opening with its error.
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("pdf")));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("SAVETXT"), path(QStringLiteral("pdf")));
  writeFile(QStringLiteral("pdf/TKK_12X.pdf"), PdfWithStreams({Zlib(BfCharCMap({"<10000> <0041>"}))}));
  auto w = open();
  ASSERT_TRUE(reports.isEmpty());
  auto* edit = w->findChild<QLineEdit*>(QStringLiteral("EditSearch"));
  edit->setFocus();
  QTest::keyClicks(edit, QStringLiteral("12"));
  QTest::keyClick(edit, Qt::Key_Return);
  WaitUntilIdle(w->logic());
  ASSERT_EQ(reports.size(), 1);
  EXPECT_TRUE(reports.constFirst().startsWith(QStringLiteral("CMapRangeError: ")))
      << reports.constFirst().toStdString();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(label(w.get(), "LabelTainMonth"), QString()) << "the opening ended with the error";
  ASSERT_TRUE(QFile::remove(path(QStringLiteral("pdf/TKK_12X.pdf"))));
  QTest::keyClick(edit, Qt::Key_Return);
  WaitUntilIdle(w->logic());
  EXPECT_EQ(reports.size(), 1);
  EXPECT_EQ(label(w.get(), "LabelTainMonth"), QStringLiteral("2023年06月"))
      << "the next opening went through";
}

// A file of the program's folder that cannot be written is told in one warning box over the window,
// once: a refresh that meets it again shows nothing, and no error box ever appears.
TEST_F(DrugInfoViewTest, aFileThatCannotBeWrittenIsToldOnceInAWarningBoxAndTheWindowGoesOn) {
  ScriptedOrca orca;
  orca.configure();
  orca.answer(QStringLiteral("api01rv2/acceptlstv2?class=03"),
              HttpAction::Ok(AcceptanceAnswer({{QStringLiteral("12"), QStringLiteral("山田　太郎")}})));
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("PatientCache.csv")));  // takes no new version
  struct Box {
    QMessageBox::Icon icon;
    QString title, text;
    bool overTheWindow;
  };
  QList<Box> boxes;
  QTimer closer;  // reads and closes every box as it comes
  QObject::connect(&closer, &QTimer::timeout, [&boxes] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      boxes.append({box->icon(), box->windowTitle(), box->text(),
                    qobject_cast<TfrmDrugInfo*>(box->parent()) != nullptr});
      box->accept();
    }
  });
  closer.start(10);
  auto w = open();
  ASSERT_TRUE(RunUntil([&boxes] { return !boxes.isEmpty(); }, 10000));
  w->logic().TimerRefreshTimer();
  WaitUntilIdle(w->logic());
  QTest::qWait(50);
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0].icon, QMessageBox::Warning);
  EXPECT_EQ(boxes[0].title, QStringLiteral("警告"));
  EXPECT_TRUE(boxes[0].text.startsWith(QStringLiteral("患者キャッシュに書き込めません。\n") +
                                       QDir::toNativeSeparators(path(QStringLiteral("PatientCache.csv"))) +
                                       QStringLiteral("\n原因: ")))
      << boxes[0].text.toStdString();
  EXPECT_TRUE(boxes[0].text.endsWith(QStringLiteral("新しい患者は漢字氏名で検索できません。")));
  EXPECT_TRUE(boxes[0].overTheWindow);
  EXPECT_TRUE(reports.isEmpty()) << reports.join('\n').toStdString();
  EXPECT_EQ(w->findChild<QTableWidget*>(QStringLiteral("GridPatient"))->item(0, 1)->text(),
            QStringLiteral("12"));
}

// While ORCA answers the window goes on taking input; the menu bar's corner says what runs and
// the cursor is the arrow with the hourglass, both gone once the list is in.
TEST_F(DrugInfoViewTest, theWindowTakesInputWhileOrcaAnswersAndShowsWhatItDoes) {
  ScriptedOrca orca;
  orca.configure();
  orca.answer(
      QStringLiteral("api01rv2/acceptlstv2?class=03"),
      HttpAction::Ok(AcceptanceAnswer({{QStringLiteral("12"), QStringLiteral("山田　太郎")}})).after(400));
  auto window = std::make_unique<TfrmDrugInfo>(nullptr, [](const QString&, const QString&) {});
  window->show();
  auto* work = window->findChild<QLabel*>(QStringLiteral("workLabel"));
  ASSERT_TRUE(work);
  EXPECT_TRUE(window->findChild<QMenuBar*>()->cornerWidget(Qt::TopRightCorner)->isAncestorOf(work));
  const QRect gridBefore = window->findChild<QWidget*>(QStringLiteral("GridPatient"))->geometry();
  QCoreApplication::processEvents();
  EXPECT_TRUE(work->isVisible());
  EXPECT_EQ(work->text(), QStringLiteral("受付一覧"));
  EXPECT_GE(work->width(), work->sizeHint().width()) << "the whole text shows";
  EXPECT_EQ(window->cursor().shape(), Qt::BusyCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "nothing locks the program";

  auto* edit = window->findChild<QLineEdit*>(QStringLiteral("EditSearch"));
  edit->setFocus();
  QTest::keyClicks(edit, QStringLiteral("34"));
  EXPECT_EQ(window->logic().controls().EditSearch.text, QStringLiteral("34"));
  EXPECT_TRUE(window->logic().working()) << "typed while the list was still loading";

  ASSERT_TRUE(WaitUntilIdle(window->logic()));
  EXPECT_FALSE(work->isVisible());
  EXPECT_NE(window->cursor().shape(), Qt::BusyCursor);
  EXPECT_EQ(window->findChild<QTableWidget*>(QStringLiteral("GridPatient"))->item(0, 1)->text(),
            QStringLiteral("12"));
  EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("GridPatient"))->geometry(), gridBefore)
      << "the corner moves no control";
}

// The medication check's indicator stands in the menu bar's corner just before the work text,
// hidden while no patient is shown; it moves no control, and a click on an outcome opens the
// findings window of the patient shown.
TEST_F(DrugInfoViewTest, theCheckIndicatorSitsBeforeTheWorkTextAndOpensTheFindings) {
  ScriptedOrca orca;
  orca.configure();
  orca.answer(QStringLiteral("api01rv2/patientgetv2?id=12"),
              HttpAction::Ok("<WholeName type=\"string\">山田　太郎</WholeName>\n"));
  auto w = open();
  auto* indicator = w->findChild<CheckIndicatorLabel*>(QStringLiteral("LabelMedCheck"));
  ASSERT_TRUE(indicator);
  auto* row = qobject_cast<QHBoxLayout*>(w->findChild<QWidget*>(QStringLiteral("cornerBox"))->layout());
  ASSERT_TRUE(row);
  EXPECT_EQ(row->indexOf(indicator) + 1, row->indexOf(w->findChild<QLabel*>(QStringLiteral("workLabel"))));
  EXPECT_FALSE(indicator->isVisible()) << "no patient shown";
  auto* grid = w->findChild<QWidget*>(QStringLiteral("GridPatient"));
  const QRect gridBefore(grid->mapTo(w.get(), QPoint()), grid->size());

  // The opening reads no other institution and no own history here, so the check cannot be done
  // and says so, and the clinic's own drugs are unconfirmed.
  auto* edit = w->findChild<QLineEdit*>(QStringLiteral("EditSearch"));
  edit->setFocus();
  QTest::keyClicks(edit, QStringLiteral("12"));
  QTest::keyClick(edit, Qt::Key_Return);
  ASSERT_TRUE(WaitUntilIdle(w->logic()));
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(label(w.get(), "Label1"), QStringLiteral("12"));
  EXPECT_TRUE(indicator->isVisible());
  EXPECT_EQ(indicator->text(), QStringLiteral("チェックできませんでした　未確認 1"));
  EXPECT_EQ(indicator->palette().color(indicator->foregroundRole()), ToneColour(CheckTone::Alarm))
      << "red, as painted in the menu bar";
  EXPECT_TRUE(indicator->toolTip().contains(QStringLiteral("他院の薬剤情報を取得できませんでした")));
  EXPECT_GE(indicator->width(), indicator->sizeHint().width()) << "the whole text shows";
  EXPECT_EQ(QRect(grid->mapTo(w.get(), QPoint()), grid->size()), gridBefore) << "the corner moves no control";

  QString patientLine;
  QTimer::singleShot(0, [&patientLine] {
    if (auto* findings = qobject_cast<TfrmMedCheck*>(QApplication::activeModalWidget())) {
      patientLine = findings->findChild<QLabel*>(QStringLiteral("LabelPatient"))->text();
      findings->reject();
    }
  });
  QTest::mouseClick(indicator, Qt::LeftButton);
  EXPECT_EQ(patientLine, QStringLiteral("12　山田　太郎"));
  EXPECT_TRUE(reports.isEmpty());
}

// The push indicator stands first in the menu bar's corner, with the reason it is not live as its tool
// tip; whether it shows or not, no control of the form moves. (The scripted ORCA has no push endpoint:
// with push notifications on, its handshake is refused.)
TEST_F(DrugInfoViewTest, thePushIndicatorStandsFirstInTheCornerAndMovesNoControl) {
  ScriptedOrca orca;
  orca.configure();
  orca.answer(QStringLiteral("api01rv2/acceptlstv2?class=03"),
              HttpAction::Ok(AcceptanceAnswer({{QStringLiteral("12"), QStringLiteral("山田　太郎")}})));
  const QStringList controls{QStringLiteral("PanelLeft"),    QStringLiteral("PanelSearch"),
                             QStringLiteral("LabelDate"),    QStringLiteral("PanelDateNav"),
                             QStringLiteral("GridPatient"),  QStringLiteral("PanelMain"),
                             QStringLiteral("PanelTopGrid"), QStringLiteral("MemoTain")};
  auto placesOf = [&controls](QWidget* window) {
    QMap<QString, QRect> places;
    for (const QString& name : controls) {
      auto* widget = window->findChild<QWidget*>(name);
      places.insert(name, QRect(widget->mapTo(window, QPoint(0, 0)), widget->size()));
    }
    return places;
  };

  auto off = open();  // PUSH=0
  EXPECT_FALSE(off->findChild<QLabel*>(QStringLiteral("LabelPush"))->isVisible());
  const QMap<QString, QRect> placesWithout = placesOf(off.get());
  off.reset();

  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("PUSH"), QStringLiteral("1"));
  auto on = open();
  auto* indicator = on->findChild<QLabel*>(QStringLiteral("LabelPush"));
  ASSERT_TRUE(indicator);
  EXPECT_TRUE(
      RunUntil([indicator] { return indicator->toolTip().contains(QStringLiteral("HTTP 404")); }, 15000))
      << indicator->toolTip().toStdString();
  EXPECT_TRUE(indicator->isVisible());
  EXPECT_EQ(indicator->text(), QStringLiteral("定期更新"));
  EXPECT_GE(indicator->width(), indicator->sizeHint().width()) << "the corner makes room for it";
  auto* corner = on->findChild<QWidget*>(QStringLiteral("cornerBox"));
  ASSERT_TRUE(corner);
  EXPECT_EQ(on->findChild<QMenuBar*>()->cornerWidget(Qt::TopRightCorner), corner);
  EXPECT_EQ(corner->layout()->itemAt(0)->widget(), indicator);
  EXPECT_GT(corner->layout()->indexOf(on->findChild<QLabel*>(QStringLiteral("workLabel"))), 0);
  EXPECT_EQ(placesOf(on.get()), placesWithout);
  EXPECT_TRUE(reports.isEmpty());
}
