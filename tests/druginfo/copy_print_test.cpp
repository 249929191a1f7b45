#include <gtest/gtest.h>

#include "core/core_error.h"
#include "drug_info_fixture.h"

namespace {

// A printer whose pages are 1000 dots high and whose "A" is 40 dots high.
class RecordingJob : public PrintJob {
 public:
  explicit RecordingJob(QStringList& log, int failAtLine = -1) : log_(log), failAt_(failAtLine) {}
  void SetFixedPitchFont(int points) override { log_ << QStringLiteral("font %1pt").arg(points); }
  int TextHeight(const QString& text) override { return text == QStringLiteral("A") ? 40 : -1; }
  int PageHeight() override { return 1000; }
  void TextOut(int x, int y, const QString& text) override {
    if (drawn_++ == failAt_) throw CoreError(QStringLiteral("drawing failed"));
    log_ << QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(text);
  }
  void NewPage() override { log_ << QStringLiteral("new page"); }
  void EndDoc() override { log_ << QStringLiteral("end"); }

 private:
  QStringList& log_;
  int failAt_;
  int drawn_ = 0;
};

}  // namespace

class CopyPrintTest : public DrugInfoTest {
 protected:
  void SetUp() override {
    DrugInfoTest::SetUp();
    logic->FormShow();
    WaitUntilIdle(*logic);
  }
  QStringList printed;
};

TEST_F(CopyPrintTest, copyPutsTheWholeTextWithCrLfOnTheClipboard) {
  logic->controls().MemoTain.lines = {QStringLiteral("2024.05.09　甲"), QString(), QStringLiteral("乙")};
  logic->BtnCopyClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(ui.clipboard, QStringLiteral("2024.05.09　甲\r\n\r\n乙"));
  logic->controls().MemoTain.lines.clear();
  logic->BtnCopyClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(ui.clipboard, QString());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CopyPrintTest, printDrawsEachLineFromTheMarginAndStartsAPageBeforeTheBottomReserve) {
  for (int i = 1; i <= 19; ++i) logic->controls().MemoTain.lines << QStringLiteral("L%1").arg(i);
  ui.onPrint = [this] { return std::make_unique<RecordingJob>(printed); };
  logic->BtnPrintClick();
  WaitUntilIdle(*logic);
  // y runs 100, 144, … 716, 760; after 760 comes 804 > 1000 − 200, so the 17th line starts a page.
  QStringList expected{QStringLiteral("font 10pt")};
  for (int i = 1; i <= 16; ++i) expected << QStringLiteral("100,%1 L%2").arg(100 + 44 * (i - 1)).arg(i);
  expected << QStringLiteral("new page") << QStringLiteral("100,100 L17") << QStringLiteral("100,144 L18")
           << QStringLiteral("100,188 L19") << QStringLiteral("end");
  EXPECT_EQ(printed, expected);
}

TEST_F(CopyPrintTest, anEmptyTextStillStartsAndEndsTheJob) {
  ui.onPrint = [this] { return std::make_unique<RecordingJob>(printed); };
  logic->BtnPrintClick();
  WaitUntilIdle(*logic);
  EXPECT_EQ(printed, (QStringList{QStringLiteral("font 10pt"), QStringLiteral("end")}));
}

TEST_F(CopyPrintTest, aFailureWhileDrawingEndsTheJobAndReachesTheCaller) {
  logic->controls().MemoTain.lines = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
  ui.onPrint = [this] { return std::make_unique<RecordingJob>(printed, 1); };
  EXPECT_THROW(logic->BtnPrintClick(), CoreError);
  WaitUntilIdle(*logic);
  EXPECT_EQ(printed,
            (QStringList{QStringLiteral("font 10pt"), QStringLiteral("100,100 a"), QStringLiteral("end")}));
}

TEST_F(CopyPrintTest, withoutAPrinterTheErrorReachesTheCaller) {
  EXPECT_THROW(logic->BtnPrintClick(), std::runtime_error);
  WaitUntilIdle(*logic);
}
