#include "medcheck/duplicates.h"

#include <QStringList>
#include <numeric>
#include <vector>

#include "medcheck/ingredient_key.h"

namespace {

int Root(std::vector<int>& parent, int i) {
  while (parent[i] != i) i = parent[i] = parent[parent[i]];
  return i;
}

// The ingredient as the finding names it: the newest name given, in one width, else the code.
QString SubjectOf(const QList<DrugInView>& drugs, const QList<int>& members) {
  for (int i : members) {
    const QString name = drugs[i].ingredient.normalized(QString::NormalizationForm_KC).simplified();
    if (!name.isEmpty()) return QStringLiteral("同一成分：") + name;
  }
  return QStringLiteral("同一薬剤コード：") + drugs[members.first()].drug.code;
}

}  // namespace

bool SameIngredient(const DrugInView& a, const DrugInView& b) {
  const QString ka = IngredientKey(a.ingredient);
  const QString kb = IngredientKey(b.ingredient);
  if (!ka.isEmpty() && !kb.isEmpty()) return ka == kb;
  return IsNineDigitCode(a.drug.code) && a.drug.code == b.drug.code;
}

bool SuppliesOverlap(const DrugInView& a, const DrugInView& b) {
  if (!a.drug.day.isValid() || !b.drug.day.isValid()) return true;
  return a.drug.day <= b.lastDay() && b.drug.day <= a.lastDay();
}

QList<Finding> FindDuplicates(const QList<DrugInView>& drugs) {
  const int n = static_cast<int>(drugs.size());
  std::vector<int> parent(n);
  std::iota(parent.begin(), parent.end(), 0);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      if (SameIngredient(drugs[i], drugs[j])) parent[Root(parent, j)] = Root(parent, i);
    }
  }

  // Drugs that overlap a drug of another source of their ingredient, by ingredient in order of
  // its newest drug (the drugs come newest first).
  std::vector<bool> involved(n, false);
  for (int i = 0; i < n; ++i) {
    for (int j = i + 1; j < n; ++j) {
      if (Root(parent, i) != Root(parent, j) || drugs[i].sourceKey == drugs[j].sourceKey) continue;
      if (SuppliesOverlap(drugs[i], drugs[j])) involved[i] = involved[j] = true;
    }
  }
  QList<int> roots;
  QList<QList<int>> members;
  for (int i = 0; i < n; ++i) {
    if (!involved[i]) continue;
    const int root = Root(parent, i);
    qsizetype at = roots.indexOf(root);
    if (at < 0) {
      roots << root;
      members << QList<int>();
      at = roots.size() - 1;
    }
    members[at] << i;
  }

  QList<Finding> findings;
  for (const QList<int>& group : std::as_const(members)) {
    Finding f;
    f.kind = FindingKind::Duplicate;
    f.subject = SubjectOf(drugs, group);
    QStringList sources;
    for (int i : group) {
      if (sources.contains(drugs[i].sourceKey)) continue;  // the newest of a source stands for it
      sources << drugs[i].sourceKey;
      f.drugs << drugs[i].drug;
    }
    findings << f;
  }
  return findings;
}
