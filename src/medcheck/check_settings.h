#pragma once

// The check's two settings in user.ini, read afresh on every check. A value that is not a whole
// number in range gives the default: a slip in the file should not switch the check off.
int CheckWindowDays();  // MEDCHECKDAYS, 0–3650, default 90
int CheckTermMonths();  // MEDCHECKMONTHS, 1–99, default 3
