#include "settings/settings_window.h"

void TForm2::BuildSettingsPages() {}
