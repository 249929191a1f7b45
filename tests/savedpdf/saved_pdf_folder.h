#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "temp_program_folder.h"

// A program folder with a PDF folder of its own ("pdf", named in SAVETXT) to put files into.
class SavedPdfFolderTest : public TempProgramFolder {
 protected:
  void SetUp() override;

  QString pdfFolder() const;
  // Copies a file of tests/data/pdf into the PDF folder under a new name; returns the full path.
  QString copyFixture(const char* fixture, const QString& name) const;
  // A file whose content does not matter.
  QString touch(const QString& name) const;
  void setModified(const QString& path, const QDateTime& when) const;
  // The names of the PDF folder in the platform's own listing order (readdir), for the rules that
  // take "the first file the listing yields".
  QStringList platformListing() const;
};
