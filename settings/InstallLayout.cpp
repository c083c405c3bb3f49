#include "InstallLayout.h"

#include "IniWriteError.h"
#include "SettingsFile.h"

#include <cerrno>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#ifndef BRAMIDOU_DATA_FROM_EXECUTABLE
#define BRAMIDOU_DATA_FROM_EXECUTABLE "../share/games/bramidou"
#endif

namespace {

bool isFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A folder with no write bit at all is read-only even for root, who passes every
// access check: an installed tree made read-only must not take a root player's
// settings.
bool isWritableFolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & 0222) != 0 &&
           ::access(path.c_str(), W_OK) == 0;
}

std::string installedDataFolder(const std::string& executablePath) {
    return InstallLayout::folderOf(executablePath) + "/" + InstallLayout::kDataFromExecutable;
}

std::string homeFolder(const char* home) {
    if (home != nullptr && home[0] == '/')
        return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir != nullptr && found->pw_dir[0] == '/')
        return found->pw_dir;
    return {};
}

} // namespace

namespace InstallLayout {

const char* const kDataFromExecutable = BRAMIDOU_DATA_FROM_EXECUTABLE;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string dataFilePath(const std::string& executablePath, const std::string& name) {
    if (!name.empty() && name[0] == '/')
        return name;
    const std::string beside = folderOf(executablePath) + "/" + name;
    if (isFile(beside))
        return beside;
    const std::string installed = installedDataFolder(executablePath) + "/" + name;
    return isFile(installed) ? installed : beside;
}

bool isInstalledCopy(const std::string& executablePath) {
    return isFolder(installedDataFolder(executablePath)) ||
           !isWritableFolder(folderOf(executablePath));
}

std::string settingsFilePath(const std::string& executablePath, const char* xdgConfigHome,
                             const char* home) {
    if (!isInstalledCopy(executablePath))
        return settingsPath(executablePath);
    // The XDG base directory rules say a relative value is to be ignored.
    std::string config;
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/') {
        config = xdgConfigHome;
    } else {
        const std::string userHome = homeFolder(home);
        // Without any home the only candidate left is the executable's folder, whose
        // write then fails with the usual message instead of landing somewhere odd.
        if (userHome.empty())
            return settingsPath(executablePath);
        config = userHome + "/.config";
    }
    while (config.size() > 1 && config.back() == '/')
        config.pop_back();
    return config + "/bramidou/bramidou.ini";
}

void createFolderFor(const std::string& filePath) {
    const std::string folder = folderOf(filePath);
    if (isFolder(folder))
        return;
    // Each missing level from the top down; one that appears meanwhile is fine.
    std::size_t next = folder.size() > 1 && folder[0] == '/' ? 1 : 0;
    while (next != std::string::npos) {
        next = folder.find('/', next + 1);
        const std::string level = folder.substr(0, next);
        if (level.empty() || isFolder(level))
            continue;
        if (::mkdir(level.c_str(), 0700) != 0 && !(errno == EEXIST && isFolder(level)))
            throw IniWriteError(filePath);
    }
}

} // namespace InstallLayout
