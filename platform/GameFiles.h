#pragma once

#include <string>

// The running game's own files, found from its executable, never from the working
// directory, by the rules of InstallLayout.
namespace GameFiles {

// The running executable's full path.
std::string executablePath();

// A data file by name ("movehorse.wav", "bramidou.qhc"...): beside the executable, else
// in the installed data folder; named beside the executable when it is in neither.
std::string dataFile(const std::string& name);

// True for a copy the system installed, whose folder is not the player's: its files are
// kept in the player's folders (settings, and where saved games are offered).
bool isInstalledCopy();

// The settings file: beside a portable copy, in the user's configuration folder for an
// installed one.
std::string settingsFile();

} // namespace GameFiles
