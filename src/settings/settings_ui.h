#pragma once

#include "windowmodel/desktop_services.h"

// What only a desktop can do for the settings window: the boxes, the folder and file pickers and the
// password box of every window.
class SettingsUi : public DesktopServices {};
