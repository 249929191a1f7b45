#pragma once

#include <QList>

#include "medcheck/drug_in_view.h"
#include "medcheck/medication_check.h"

// Drugs of one ingredient from different sources — two institutions, or an institution and the
// clinic — whose supplies overlap. Two drugs share an ingredient when their ingredient names are
// the same (IngredientKey), or, where one of them names none, when their nine-digit codes are the
// same; what shares an ingredient with a drug that shares it with a third shares it with the third.
// One finding per ingredient, listing each source once with its newest drug of that overlap. The
// same source twice is a refill, not a duplicate.
// `drugs` come newest first, as InCheckWindow leaves them.
QList<Finding> FindDuplicates(const QList<DrugInView>& drugs);

bool SameIngredient(const DrugInView& a, const DrugInView& b);
// An unknown day cannot rule an overlap out.
bool SuppliesOverlap(const DrugInView& a, const DrugInView& b);
