#pragma once

#include "settings/settings_ui.h"
#include "widgets/qt_desktop.h"

// The desktop services of the settings window, done with Qt dialogs.
using QtSettingsUi = QtDesktop<SettingsUi>;
