#pragma once

#include "uikit/desktop_services.h"

// What only a desktop can do for the settings window: the boxes, the folder and file pickers, the
// password box and the hourglass of every window.
class SettingsUi : public DesktopServices {};
