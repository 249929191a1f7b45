#pragma once

#include <QString>
#include <QStringList>

// The two kinds of document the eligibility terminal saves per patient.
struct SavedPdfKind {
  QString mask;             // file-name mask, matched without regard to letter case
  QString notFoundMessage;  // what the button says when the patient has none
};

// Drug information: YZK*.pdf.
const SavedPdfKind& DrugPdfKind();
// Specific health check-up: TKK*.pdf.
const SavedPdfKind& CheckUpPdfKind();

// The PDF folder: the setting SAVETXT, read anew on every call; the program's folder when blank.
QString SavedPdfFolder();

// The PDFs directly in folder whose names match mask ("*" any run of characters, letter case
// ignored), full paths, in the order the platform lists the folder. Subfolders are not searched.
QStringList ListSavedPdfs(const QString& folder, const QString& mask);

// "_" + patient number + "X", the number exactly as held. The "_" and the "X" keep patient 12 from
// matching the files of patients 123 and 912.
QString PatientPdfKey(const QString& patientId);

// True when the file name, without its folder, carries the patient's key (case-sensitive).
bool IsPatientPdf(const QString& path, const QString& patientId);
