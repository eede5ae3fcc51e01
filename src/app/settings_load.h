#pragma once

class FrmMain;
class DesktopServices;
namespace settings {
class SettingsStore;
}

// Puts every stored setting into the window in the fixed load order and asks
// for each required text that is empty.
void loadSettings(FrmMain& frm, settings::SettingsStore& store, DesktopServices& services);
