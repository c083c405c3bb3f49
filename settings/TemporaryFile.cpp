#include "TemporaryFile.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string kSuffix = ".tmp";

// The temporary name must fit where the file's own name just fits.
std::string prefixFor(const std::string& fileName) {
    return "." + fileName.substr(0, 200) + ".";
}

// Digits only, at least one, no overflow.
bool parseNumber(const std::string& text, long& value) {
    if (text.empty() || text.size() > 9)
        return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool processRuns(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace

namespace TemporaryFile {

std::string path(const std::string& folder, const std::string& fileName, pid_t pid, int attempt) {
    return folder + "/" + prefixFor(fileName) + std::to_string(pid) + "-" +
           std::to_string(attempt) + kSuffix;
}

pid_t ownerOf(const std::string& entry, const std::string& fileName) {
    const std::string prefix = prefixFor(fileName);
    if (entry.size() <= prefix.size() + kSuffix.size() ||
        entry.compare(0, prefix.size(), prefix) != 0 ||
        entry.compare(entry.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0)
        return 0;
    const std::string middle =
        entry.substr(prefix.size(), entry.size() - prefix.size() - kSuffix.size());
    const std::size_t dash = middle.find('-');
    long pid = 0;
    long attempt = 0;
    if (dash == std::string::npos || !parseNumber(middle.substr(0, dash), pid) ||
        !parseNumber(middle.substr(dash + 1), attempt) || pid <= 0)
        return 0;
    return static_cast<pid_t>(pid);
}

void removeLeftovers(const std::string& folder, const std::string& fileName) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    const uid_t user = ::geteuid();
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        const pid_t pid = ownerOf(entry->d_name, fileName);
        // This process writes one file at a time, so a name of its own here is a
        // leftover of an earlier process that had the same number.
        if (pid == 0 || (pid != self && processRuns(pid)))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir), entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || st.st_uid != user)
            continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace TemporaryFile
