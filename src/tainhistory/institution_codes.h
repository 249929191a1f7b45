#pragma once

#include <QString>

// A code ends with another code when its last characters, as many as the other has, equal it; an
// empty other code matches nothing. With the clinic's own code this is the own-institution test.
bool EndsWithInstCd(const QString& code, const QString& instCd);

// The third digit of a national institution code is the fee-schedule digit; "4" is a pharmacy.
bool IsPharmacyInstCd(const QString& code);

// A text is taken for a medical institution's name when it carries one of the usual keywords, is
// no pharmacy and does not begin with 診療 (a heading such as 診療年月 would pass the keyword test).
bool IsInstitutionName(const QString& name);

// "yyyy-mm" of a prescription date "yyyymmdd"; missing characters stay missing.
QString MonthOfPrescDate(const QString& prescDate);
