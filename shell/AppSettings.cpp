#include "AppSettings.h"

Settings& appSettings() {
    static Settings settings;
    return settings;
}
