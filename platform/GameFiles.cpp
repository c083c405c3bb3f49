#include "GameFiles.h"

#include "InstallLayout.h"

#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace GameFiles {

std::string executablePath() {
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return "bramidou";
    return std::string(path, static_cast<std::size_t>(n));
}

std::string dataFile(const std::string& name) {
    return InstallLayout::dataFilePath(executablePath(), name);
}

bool isInstalledCopy() {
    return InstallLayout::isInstalledCopy(executablePath());
}

std::string settingsFile() {
    return InstallLayout::settingsFilePath(executablePath(), std::getenv("XDG_CONFIG_HOME"),
                                           std::getenv("HOME"));
}

} // namespace GameFiles
