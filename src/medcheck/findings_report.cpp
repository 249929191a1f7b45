#include "medcheck/findings_report.h"

namespace {

const QString kGap = QStringLiteral("　");

QString DaysText(int days) {
  return days > 0 ? QString::number(days) + QStringLiteral("日分") : QString();
}

// "みなと中央病院　ワルファリンカリウム錠１ｍｇ　2025.05.28　28日分"
QString DrugLine(const CheckedDrug& d) {
  QStringList parts{d.source.isEmpty() ? QStringLiteral("（入手元不明）") : d.source, d.name};
  if (d.day.isValid()) parts << DotDay(d.day);
  if (d.days > 0) parts << DaysText(d.days);
  return parts.join(kGap);
}

QString Cells(const QStringList& cells) {
  QStringList clean;
  for (QString c : cells) clean << c.replace(QLatin1Char('\t'), QLatin1Char(' '));
  return clean.join(QLatin1Char('\t'));
}

QStringList DrugCells(const CheckedDrug& d) {
  return {d.name, d.source, d.day.isValid() ? d.day.toString(Qt::ISODate) : QString(),
          d.days > 0 ? QString::number(d.days) : QString()};
}

FindingEntry EntryOf(const Finding& f) {
  FindingEntry e;
  if (f.kind == FindingKind::Duplicate) {
    e.heading = f.subject;
    for (const CheckedDrug& d : f.drugs) e.details << DrugLine(d);
    return e;
  }
  e.heading = f.drugs.value(0).name + QStringLiteral(" × ") + f.drugs.value(1).name;
  for (const CheckedDrug& d : f.drugs) e.details << DrugLine(d);
  if (!f.subject.isEmpty()) {
    e.details << (f.clinicMaster && f.mechanism.isEmpty() ? f.subject
                                                          : QStringLiteral("症状・措置：") + f.subject);
  }
  if (!f.mechanism.isEmpty()) e.details << QStringLiteral("機序：") + f.mechanism;
  return e;
}

}  // namespace

QString DotDay(const QDate& day) {
  return day.isValid() ? day.toString(QStringLiteral("yyyy.MM.dd")) : QString();
}

QList<FindingGroup> FindingGroups(const MedicationCheck& check) {
  QList<FindingGroup> groups;
  for (const FindingKind kind : {FindingKind::Duplicate, FindingKind::Interaction}) {
    FindingGroup group{
        KindLabel(kind) + QStringLiteral("（%1件）").arg(check.count(kind)), CheckTone::Alarm, {}};
    for (const Finding& f : check.findings) {
      if (f.kind == kind) group.entries << EntryOf(f);
    }
    if (!group.entries.isEmpty()) groups << group;
  }
  if (!check.unchecked.isEmpty()) {
    FindingGroup group{
        kUnconfirmed + QStringLiteral("（%1剤）").arg(check.unchecked.size()), CheckTone::Caution, {}};
    for (const UncheckedDrug& u : check.unchecked)
      group.entries << FindingEntry{DrugLine(u.drug), {u.reason}};
    groups << group;
  }
  return groups;
}

QStringList StatusLines(const MedicationCheck& check) {
  QStringList lines{IndicatorOf(check).text};
  if (check.failed()) lines << kCheckFailed + QStringLiteral("：") + check.failure;
  if (!check.warning.isEmpty()) lines << QStringLiteral("警告：") + check.warning;
  return lines;
}

QStringList FindingsTextLines(const MedicationCheck& check) {
  QStringList lines{QStringLiteral("併用・重複チェック") + kGap + DotDay(check.checkedOn)};
  lines << StatusLines(check);
  for (const FindingGroup& group : FindingGroups(check)) {
    lines << QString() << QStringLiteral("【") + group.title + QStringLiteral("】");
    for (const FindingEntry& entry : group.entries) {
      lines << entry.heading;
      for (const QString& detail : entry.details) lines << kGap + detail;
    }
  }
  return lines;
}

QString FindingsText(const MedicationCheck& check) {
  QString text;
  for (const QString& line : FindingsTextLines(check)) text += line + QStringLiteral("\r\n");
  return text;
}

QStringList FindingRows(const MedicationCheck& check) {
  QStringList rows;
  for (const Finding& f : check.findings) {
    for (qsizetype i = 1; i < f.drugs.size(); ++i) {
      const CheckedDrug& partner = f.drugs[i];
      rows << Cells(QStringList{KindLabel(f.kind)} + DrugCells(f.drugs.first()) +
                    QStringList{partner.name, partner.source, f.subject, f.mechanism});
    }
  }
  return rows;
}

QStringList UncheckedRows(const MedicationCheck& check) {
  QStringList rows;
  for (const UncheckedDrug& u : check.unchecked)
    rows << Cells(QStringList{kUnconfirmed} + DrugCells(u.drug) + QStringList{u.reason});
  return rows;
}

QStringList CheckReportRows(const MedicationCheck& check) {
  QStringList rows = FindingRows(check) + UncheckedRows(check);
  if (!check.warning.isEmpty()) rows << Cells({QStringLiteral("警告"), check.warning});
  if (check.failed()) rows << Cells({kCheckFailed, check.failure});
  if (rows.isEmpty()) rows << kNoFindings;
  return rows;
}
