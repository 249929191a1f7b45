#pragma once

#include <QString>
#include <functional>
#include <optional>

// Decides whether a candidate file (full path) is the patient's document. May raise PdfError.
using PdfAcceptanceTest = std::function<bool(const QString& path)>;

// The first file of the PDF folder's listing that matches mask, carries the patient's key and,
// when a test is given, passes it; later files are never looked at. Nothing when the folder does
// not exist, when the patient number is blank, or when no file qualifies. Errors raised by the
// test (an unreadable PDF) reach the caller.
std::optional<QString> FindPatientPdf(const QString& mask, const QString& patientId,
                                      const PdfAcceptanceTest& accept = {});

// The acceptance test of the drug-information merge: the document's text names the patient. An
// empty name never passes, and the file is then not read at all.
bool PdfNamesPatient(const QString& path, const QString& patientName);
