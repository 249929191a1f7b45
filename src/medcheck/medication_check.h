#pragma once

#include <QDate>
#include <QList>
#include <QString>

// The words the check shows; a clinic reads them at a glance, so they never vary.
inline const QString kOwnClinic = QStringLiteral("自院");
inline const QString kUnconfirmed = QStringLiteral("未確認");
inline const QString kCheckFailed = QStringLiteral("チェックできませんでした");
inline const QString kNoFindings = QStringLiteral("所見なし");

// A drug as a finding names it: what it is, where it came from and when.
struct CheckedDrug {
  QString name;
  QString code;
  QString source;  // the institution's name, or 自院
  QDate day;       // dispensed or prescribed; for a partner out of the clinic's records, its last day
  int days = 0;    // days supplied; 0: it counts on its day only
  bool operator==(const CheckedDrug&) const = default;
};

enum class FindingKind { Duplicate, Interaction };

struct Finding {
  FindingKind kind = FindingKind::Duplicate;
  // Duplicate: one drug per source, newest first. Interaction: the drug and its partner.
  QList<CheckedDrug> drugs;
  QString subject;    // duplicate: the shared ingredient (or code); interaction: symptoms and measures
  QString mechanism;  // interaction only
  bool clinicMaster = false;  // an interaction of the clinic's own check master, which has no symptom
  bool operator==(const Finding&) const = default;
};

// A drug the interaction check could not vouch for.
struct UncheckedDrug {
  CheckedDrug drug;
  QString reason;
  bool operator==(const UncheckedDrug&) const = default;
};

// What the check found for one patient. Duplicates are found here; interactions need ORCA, and a
// check that ORCA could not do says so in `failure` rather than pass for one without findings.
struct MedicationCheck {
  QDate checkedOn;
  QList<Finding> findings;  // duplicates first, then interactions
  QList<UncheckedDrug> unchecked;
  QString failure;  // not empty: the interaction check could not be done, and why
  QString warning;  // ORCA's warning beside valid results (K1)

  bool failed() const { return !failure.isEmpty(); }
  int count(FindingKind kind) const {
    int n = 0;
    for (const Finding& f : findings) n += f.kind == kind;
    return n;
  }
};
