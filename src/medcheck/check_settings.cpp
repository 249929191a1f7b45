#include "medcheck/check_settings.h"

#include "core/user_settings.h"

namespace {

int WholeNumberIn(Setting setting, int least, int most, int fallback) {
  bool ok = false;
  const int value = ReadSetting(setting).toInt(&ok, 10);
  return ok && value >= least && value <= most ? value : fallback;
}

}  // namespace

int CheckWindowDays() {
  return WholeNumberIn(Setting::MedCheckDays, 0, 3650, 90);
}

int CheckTermMonths() {
  return WholeNumberIn(Setting::MedCheckMonths, 1, 99, 3);
}
