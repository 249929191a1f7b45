#include "saved_pdf_folder.h"

#include <dirent.h>

#include <QDir>
#include <QFile>

#include "core/ini_file.h"
#include "pdf_builder.h"

void SavedPdfFolderTest::SetUp() {
  TempProgramFolder::SetUp();
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("pdf")));
  IFWriteIniStr(QStringLiteral("PARAMA"), QStringLiteral("SAVETXT"), pdfFolder());
}

QString SavedPdfFolderTest::pdfFolder() const {
  return path(QStringLiteral("pdf"));
}

QString SavedPdfFolderTest::copyFixture(const char* fixture, const QString& name) const {
  const QString target = pdfFolder() + u'/' + name;
  EXPECT_TRUE(QFile::copy(FixturePath(fixture), target)) << name.toStdString();
  return target;
}

QString SavedPdfFolderTest::touch(const QString& name) const {
  const QString target = pdfFolder() + u'/' + name;
  QFile f(target);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << name.toStdString();
  f.write("%PDF-1.4\n");
  return target;
}

void SavedPdfFolderTest::setModified(const QString& path, const QDateTime& when) const {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.setFileTime(when, QFileDevice::FileModificationTime));
}

QStringList SavedPdfFolderTest::platformListing() const {
  QStringList names;
  DIR* d = opendir(QFile::encodeName(pdfFolder()).constData());
  if (!d) return names;
  while (const dirent* e = readdir(d)) {
    const QString name = QFile::decodeName(e->d_name);
    if (name != QLatin1String(".") && name != QLatin1String("..")) names << name;
  }
  closedir(d);
  return names;
}
