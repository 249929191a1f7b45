#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "platform/shell_open.h"

#ifdef Q_OS_WIN
#include <QDir>
#include <QSettings>
#else
#include <QDesktopServices>
#endif

namespace {

// What the desktop's program for the target received.
class Opened : public QObject {
  Q_OBJECT
 public:
  QStringList received;
 public slots:
  void open(const QUrl& url) { received << url.toString(); }
};

#ifdef Q_OS_WIN
// A file type and an address scheme of the test's own, registered for the current user: the shell
// starts cmd, which writes what it was given into a file.
// The user's own classes, as a per-user install registers them on Windows; Wine's shell reads only
// the merged HKEY_CLASSES_ROOT, which a user without administrator rights cannot write on Windows.
constexpr const char* kClassRoots[] = {"HKEY_CURRENT_USER\\Software\\Classes", "HKEY_CLASSES_ROOT"};

class ShellOpen : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    marker_ = QDir::toNativeSeparators(dir_.filePath("opened.txt"));
    const QString command = "cmd.exe /c echo %1> \"" + marker_ + "\"";
    for (const char* root : kClassRoots) {
      QSettings classes(root, QSettings::NativeFormat);
      classes.setValue(".rinmedtest/.", "RinmedTest.File");
      classes.setValue("RinmedTest.File/shell/open/command/.", command);
      classes.setValue("rinmedtest/.", "URL:RinMed test");
      classes.setValue("rinmedtest/URL Protocol", "");
      classes.setValue("rinmedtest/shell/open/command/.", command);
      classes.sync();
    }
  }
  void TearDown() override {
    for (const char* root : kClassRoots) {
      QSettings classes(root, QSettings::NativeFormat);
      for (const char* key : {".rinmedtest", "RinmedTest.File", "rinmedtest"}) classes.remove(key);
    }
  }
  // What cmd wrote, once it has; the shell does not wait for the program it starts.
  QString written() const {
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired()) {
      QFile file(marker_);
      if (file.open(QIODevice::ReadOnly)) {
        const QByteArray text = file.readAll().trimmed();
        if (!text.isEmpty()) return QString::fromLocal8Bit(text);
      }
      QThread::msleep(100);
    }
    return QString();
  }
  QTemporaryDir dir_;
  QString marker_;
};

TEST_F(ShellOpen, givesAFileToTheProgramOfItsType) {
  const QString file = dir_.filePath("患者 YZK_12345X.rinmedtest");
  QFile(file).open(QIODevice::WriteOnly);
  ASSERT_TRUE(OpenWithShell(QUrl::fromLocalFile(file)));
  EXPECT_TRUE(written().contains(QDir::toNativeSeparators(file), Qt::CaseInsensitive))
      << written().toStdString();
}

TEST_F(ShellOpen, givesAnAddressToTheProgramOfItsScheme) {
  ASSERT_TRUE(OpenWithShell(QUrl("rinmedtest:support@example.jp")));
  EXPECT_TRUE(written().startsWith("rinmedtest:support@example.jp")) << written().toStdString();
}

TEST_F(ShellOpen, saysSoWhenNoProgramTakesIt) {
  EXPECT_FALSE(OpenWithShell(QUrl::fromLocalFile(dir_.filePath("missing.rinmedtest"))));
}
#else
// Elsewhere the desktop's URL handlers decide; one registered by the test stands in for the browser.
TEST(ShellOpen, givesAnAddressToTheProgramOfItsScheme) {
  Opened opened;
  QDesktopServices::setUrlHandler("rinmedtest", &opened, "open");
  EXPECT_TRUE(OpenWithShell(QUrl("rinmedtest:support@example.jp")));
  QDesktopServices::unsetUrlHandler("rinmedtest");
  EXPECT_EQ(opened.received, QStringList{"rinmedtest:support@example.jp"});
}
#endif

}  // namespace

#include "shell_open_test.moc"
