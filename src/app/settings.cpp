// The player's settings.
#include "app/settings.h"

Settings g_settings;

void loadSettings() {}

bool saveSettings() {
    return true;
}
