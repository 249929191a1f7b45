#include "tainhistory/tain_lists.h"

bool ContainsEntry(const QStringList& list, const QString& entry) {
  return list.contains(entry, Qt::CaseInsensitive);
}

bool AppendUnlessPresent(QStringList& list, const QString& entry) {
  if (ContainsEntry(list, entry)) return false;
  list.append(entry);
  return true;
}
