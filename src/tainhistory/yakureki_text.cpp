#include "tainhistory/yakureki_text.h"

#include <QHash>
#include <algorithm>
#include <vector>

#include "orca/response_reader.h"
#include "tainhistory/institution_codes.h"

namespace {

const QString kIdeographicSpace = QStringLiteral("\u3000");
const QString kLineEnd = QStringLiteral("\r\n");

bool Selected(const TPrescription& p, const QString& institutionFilter, const QString& excludeInstCd,
              const QString& onlyInstCd, const QString& monthFilter) {
  if (!institutionFilter.isEmpty() &&
      TrimBlanksAndControls(p.InstitutionName) != TrimBlanksAndControls(institutionFilter))
    return false;
  if (!excludeInstCd.isEmpty() && EndsWithInstCd(p.InstitutionCd, excludeInstCd)) return false;
  if (IsPharmacyInstCd(p.InstitutionCd)) return false;
  if (!onlyInstCd.isEmpty() && !EndsWithInstCd(p.InstitutionCd, onlyInstCd)) return false;
  if (!monthFilter.isEmpty() && MonthOfPrescDate(p.PrescDate) != monthFilter) return false;
  return true;
}

// An exchange sort, not a stable one: the order it leaves same-day events in is the order the
// users know, so it is kept as it is. It compares ranks of the dates instead of the texts, which
// orders and ties exactly as the texts do and keeps long histories quick.
void SortNewestFirst(const QList<TPrescription>& prescList, QList<qsizetype>& positions) {
  QStringList dates;
  for (qsizetype at : positions) dates << prescList[at].PrescDate;
  QStringList distinct = dates;
  distinct.sort(Qt::CaseSensitive);
  distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
  std::vector<qsizetype> rank(positions.size());
  for (qsizetype k = 0; k < positions.size(); ++k) {
    rank[k] = std::lower_bound(distinct.cbegin(), distinct.cend(), dates[k]) - distinct.cbegin();
  }
  for (size_t i = 0; i + 1 < rank.size(); ++i) {
    for (size_t j = i + 1; j < rank.size(); ++j) {
      if (rank[j] > rank[i]) {
        std::swap(rank[i], rank[j]);
        std::swap(positions[i], positions[j]);
      }
    }
  }
}

void KeepLatestDayOnly(const QList<TPrescription>& prescList, QList<qsizetype>& positions) {
  QHash<QString, QString> newestDay;  // by case-folded institution name
  for (qsizetype at : positions) {
    const QString key = prescList[at].InstitutionName.toCaseFolded();
    if (!newestDay.contains(key)) newestDay.insert(key, prescList[at].PrescDate);
  }
  for (qsizetype k = positions.size() - 1; k >= 0; --k) {
    const TPrescription& p = prescList[positions[k]];
    if (p.PrescDate != newestDay.value(p.InstitutionName.toCaseFolded())) positions.removeAt(k);
  }
}

QString DisplayDate(const QString& prescDate) {
  return prescDate.mid(0, 4) + QLatin1Char('.') + prescDate.mid(4, 2) + QLatin1Char('.') +
         prescDate.mid(6, 2);
}

QList<qint32> DayGroupsOf(const TPrescription& p) {
  QList<qint32> groups;
  for (const TDrugItem& d : p.Drugs) {
    if (!groups.contains(d.Kai)) groups.append(d.Kai);
  }
  for (qsizetype i = 0; i + 1 < groups.size(); ++i) {
    for (qsizetype j = i + 1; j < groups.size(); ++j) {
      if (groups[j] > groups[i]) std::swap(groups[i], groups[j]);
    }
  }
  return groups;
}

void AppendDrugLines(const TPrescription& p, QStringList& lines) {
  for (qint32 g : DayGroupsOf(p)) {
    for (const TDrugItem& d : p.Drugs) {
      if (d.Kai != g) continue;
      if (TrimBlanksAndControls(d.Suryo).isEmpty())
        lines << d.SryName;
      else
        lines << d.SryName + kIdeographicSpace + d.Suryo + TrimBlanksAndControls(d.Tani);
    }
    if (g > 1) lines << kIdeographicSpace + kIdeographicSpace + QString::number(g) + QStringLiteral("日分");
  }
}

}  // namespace

QString BuildYakurekiText(const QList<TPrescription>& prescList, const QString& InstitutionFilter,
                          const QString& ExcludeInstCd, const QString& OnlyInstCd, const QString& MonthFilter,
                          bool bLatestOnly) {
  QList<qsizetype> positions;
  for (qsizetype i = 0; i < prescList.size(); ++i) {
    if (Selected(prescList[i], InstitutionFilter, ExcludeInstCd, OnlyInstCd, MonthFilter)) positions << i;
  }
  SortNewestFirst(prescList, positions);
  if (bLatestOnly) KeepLatestDayOnly(prescList, positions);

  QStringList lines;
  QString previousInstitution;
  QString previousDate;
  bool first = true;
  for (qsizetype at : positions) {
    const TPrescription& p = prescList[at];
    const QString date = DisplayDate(p.PrescDate);
    const bool sameName =
        TrimBlanksAndControls(p.InstitutionName) == TrimBlanksAndControls(previousInstitution);
    if (!previousInstitution.isEmpty() && !sameName) lines << QString();
    if (!previousDate.isEmpty() && p.PrescDate != previousDate && sameName) lines << QString();
    if (!sameName || first || p.PrescDate != previousDate) {
      lines << date + kIdeographicSpace + p.InstitutionName;
    } else {
      lines << date;
    }
    AppendDrugLines(p, lines);
    previousInstitution = p.InstitutionName;
    previousDate = p.PrescDate;
    first = false;
  }

  QString text;
  for (const QString& line : std::as_const(lines)) text += line + kLineEnd;
  return text;
}

TainDetailView TainDetailOf(const QList<TPrescription>& prescList, const QString& institution) {
  TainDetailView view;
  view.labelTainName = institution;
  view.memoTain = BuildYakurekiText(prescList, institution, QString(), QString(), QString(), false);
  return view;
}
