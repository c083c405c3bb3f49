#pragma once

#include <string>

// Where the game finds its files. A portable copy keeps everything in the executable's
// folder; a copy installed by the system has its executable in games/, its data in
// share/games/bramidou under the same prefix, and its settings in the user's own
// configuration folder, since it cannot write where it lies.
namespace InstallLayout {

// The installed data folder as seen from the installed executable's folder, fixed when
// the game is configured ("../share/games/bramidou" for the usual layout). Being
// relative, it holds for any prefix the tree is installed under.
extern const char* const kDataFromExecutable;

std::string folderOf(const std::string& path);

// The data file of that name: beside the executable when it is there, else in the
// installed data folder when it is there. A file found in neither place is named
// beside the executable, so it stays missing and the caller's fallback applies. A full
// path is already found and is taken as it is.
std::string dataFilePath(const std::string& executablePath, const std::string& name);

// True for a copy the system installed: the installed data folder sits where the
// layout puts it, or the executable's folder cannot be written.
bool isInstalledCopy(const std::string& executablePath);

// The settings file. A portable copy: beside the executable, named after it (see
// settingsPath). An installed copy: bramidou/bramidou.ini in the configuration folder,
// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config. The two variables are
// passed in (null when unset) so the rule is the same in the game and in its tests.
std::string settingsFilePath(const std::string& executablePath, const char* xdgConfigHome,
                             const char* home);

// Creates the folder that will hold the file, with its parents, readable by the user
// alone as configuration folders are. Throws IniWriteError naming the file when a
// folder cannot be made; nothing is written then.
void createFolderFor(const std::string& filePath);

} // namespace InstallLayout
