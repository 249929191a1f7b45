#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <vector>

#include "widgets/control_table.h"

namespace {

struct TestControls {
  LabelModel title{QStringLiteral("題")};
  ButtonModel press{QStringLiteral("押す")};
  EditModel code{QString(), true, 3, ImeMode::Closed};
  RadioButtonModel choice{QStringLiteral("選ぶ")};
  ComboBoxModel kind{{QStringLiteral("甲"), QStringLiteral("乙")}, 0};
  MemoModel memo;
  StringGrid grid{2, 2};
};

struct TestLogic {
  TestControls c;
  QStringList ran;
  TestControls& controls() { return c; }
  const TestControls& controls() const { return c; }
  void Press() {
    ran << QStringLiteral("Press");
    c.title.text = QStringLiteral("押しました");
  }
  void Choose() { ran << QStringLiteral("Choose ") + c.kind.text(); }
};

using Row = Control<TestControls, TestLogic>;

class TestWindow : public FormWindow {
 public:
  explicit TestWindow(std::span<const Row> rows)
      : FormWindow(nullptr, QStringLiteral("frmTest"), QStringLiteral("試験"), {}),
        table(*this, logic, rows) {
    showModels();
  }
  void showModels() override { table.show(); }

  TestLogic logic;
  ControlTable<TestControls, TestLogic> table;

 protected:
  void opened() override {}
  void closing() override {}
};

using C = TestControls;
using L = TestLogic;

TEST(ControlTableTest, buildsEachControlWhereItsRowSaysAndRunsItsHandler) {
  const Row rows[] = {
      {"PanelTop", nullptr, Top(40)},
      {"LabelTitle", "PanelTop", At(8, 8), &C::title},
      {"BtnPress", "PanelTop", At(100, 5, 60, 24), &C::press, &L::Press},
      {"EditCode", "PanelTop", At(170, 5, 80, 24), &C::code},
      {"RadioChoice", "PanelTop", At(260, 8, 60, 17), &C::choice, &L::Press},
      {"ComboKind", "PanelTop", At(330, 5, 60, 22), &C::kind, &L::Choose},
      {"PanelRest", nullptr, Fill()},
      {"MemoText", "PanelRest", Left(120), &C::memo},
      {"GridValues", "PanelRest", Fill(), &C::grid},
  };
  TestWindow w(rows);
  w.resize(400, 300);
  w.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(w.objectName(), QStringLiteral("frmTest"));
  EXPECT_EQ(w.windowTitle(), QStringLiteral("試験"));
  struct Case {
    const char* name;
    const char* parent;
    QRect geometry;
  } cases[] = {{"PanelTop", "frmTest", {0, 0, 400, 40}},       {"BtnPress", "PanelTop", {100, 5, 60, 24}},
               {"EditCode", "PanelTop", {170, 5, 80, 24}},     {"ComboKind", "PanelTop", {330, 5, 60, 22}},
               {"PanelRest", "frmTest", {0, 40, 400, 260}},    {"MemoText", "PanelRest", {0, 0, 120, 260}},
               {"GridValues", "PanelRest", {120, 0, 280, 260}}};
  for (const Case& c : cases) {
    auto* widget = w.findChild<QWidget*>(QString::fromLatin1(c.name));
    ASSERT_TRUE(widget) << c.name;
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(c.parent)) << c.name;
    EXPECT_EQ(widget->geometry(), c.geometry) << c.name;
  }
  auto* title = w.table.widget<QLabel>(&C::title);
  EXPECT_EQ(title->pos(), QPoint(8, 8));
  EXPECT_EQ(title->text(), QStringLiteral("題"));
  EXPECT_EQ(w.findChild<QPushButton*>(QStringLiteral("BtnPress"))->text(), QStringLiteral("押す"));

  // The tab order is the table's.
  QStringList order;
  for (QWidget* at = w.nextInFocusChain(); at != &w; at = at->nextInFocusChain())
    if (at->focusPolicy() & Qt::TabFocus) order << at->objectName();
  EXPECT_EQ(order,
            QString::fromLatin1("BtnPress EditCode RadioChoice ComboKind MemoText GridValues").split(u' '));

  QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("BtnPress")), Qt::LeftButton);
  EXPECT_EQ(title->text(), QStringLiteral("押しました")) << "shown after the handler";
  EXPECT_EQ(title->size(), title->sizeHint()) << "a label without a size fits its text";
  auto* code = w.table.widget<QLineEdit>(&C::code);
  code->setFocus();
  QTest::keyClicks(code, QStringLiteral("12345"));
  EXPECT_EQ(w.logic.c.code.text, QStringLiteral("123")) << "typed up to the limit, into the model";
  EXPECT_FALSE(code->testAttribute(Qt::WA_InputMethodEnabled));
  auto* kind = w.table.widget<QComboBox>(&C::kind);
  kind->setFocus();
  QTest::keyClick(kind, Qt::Key_Down);
  QTest::mouseClick(w.findChild<QWidget*>(QStringLiteral("RadioChoice")), Qt::LeftButton);
  EXPECT_EQ(w.logic.ran,
            (QStringList{QStringLiteral("Press"), QStringLiteral("Choose 乙"), QStringLiteral("Press")}));
}

// A table that does not say what it means fails as the window is built, naming the control.
TEST(ControlTableTest, aWrongRowIsRefusedWhenTheWindowIsBuilt) {
  struct Case {
    std::vector<Row> rows;
    const char* refusal;
  } cases[] = {
      {{{"BtnPress", "PanelTpo", At(0, 0, 60, 24), &C::press, &L::Press}},
       "BtnPress stands on PanelTpo, which is no control before it"},
      {{{"BtnPress", "PanelTop", At(0, 0, 60, 24), &C::press, &L::Press}, {"PanelTop", nullptr, Top(40)}},
       "BtnPress stands on PanelTop, which is no control before it"},
      {{{"BtnPress", nullptr, At(0, 0, 60, 24), &C::press},
        {"BtnPress", nullptr, At(0, 30, 60, 24), &C::press}},
       "BtnPress is named twice"},
      {{{"LabelTitle", nullptr, At(8, 8), &C::title, &L::Press}}, "LabelTitle has no event to run a handler"},
      {{{"PanelTop", nullptr, Top(40), {}, &L::Press}}, "PanelTop has no event to run a handler"},
  };
  for (const Case& c : cases) {
    try {
      TestWindow w(c.rows);
      ADD_FAILURE() << "built: " << c.refusal;
    } catch (const std::logic_error& e) {
      EXPECT_STREQ(e.what(), c.refusal);
    }
  }
}

TEST(ControlTableTest, aViewAsksForTheWidgetOfAModelAndIsRefusedWhereThereIsNone) {
  const Row rows[] = {{"BtnPress", nullptr, At(0, 0, 60, 24), &C::press, &L::Press}};
  TestWindow w(rows);
  EXPECT_EQ(w.table.widget<QPushButton>(&C::press), w.findChild<QPushButton*>(QStringLiteral("BtnPress")));
  try {
    w.table.widget<QLineEdit>(&C::press);
    ADD_FAILURE() << "a push button given as a line edit";
  } catch (const std::logic_error& e) {
    EXPECT_STREQ(e.what(), "BtnPress is a QPushButton, not a QLineEdit");
  }
  EXPECT_THROW(w.table.widget<QPlainTextEdit>(&C::memo), std::logic_error);
  EXPECT_THROW(w.table.widget<QLabel>(&C::title), std::logic_error);
}

}  // namespace
