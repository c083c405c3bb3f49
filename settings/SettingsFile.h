#pragma once

#include "IniWriteError.h"
#include "Settings.h"
#include "WaveDeviceCounter.h"

#include <string>

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// The settings file beside the executable: its path with the extension replaced by
// ".ini" (appended when it has none).
std::string settingsPath(const std::string& executablePath);

// Fills the record from the file's "Configuration" section with every default and check;
// a missing file gives the defaults. mainWidth and mainHeight must be set already.
void LoadSettings(Settings& settings, const std::string& path, ScreenSize screen,
                  WaveDeviceCounter& devices);

// Writes the eleven keys in their order, in one replacement of the file, creating its
// folder first when it is missing. Throws IniWriteError ("Impossible d'écrire dans
// <path>") when the file cannot be written; the file is then left as it was.
void SaveSettings(const Settings& settings, const std::string& path);
