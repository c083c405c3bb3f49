#include "WriteTarget.h"

#include "IniWriteError.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The system's own limit on links followed in one path.
constexpr int kMaxLinks = 40;

bool readLink(const std::string& path, std::string& target) {
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t n = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (n < 0)
            return false;
        if (static_cast<std::size_t>(n) < buffer.size()) {
            target.assign(buffer.data(), static_cast<std::size_t>(n));
            return true;
        }
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace

namespace WriteTarget {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string resolve(const std::string& path) {
    const uid_t user = ::geteuid();
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT)
                throw IniWriteError(path);
            if (links == 0)
                return path; // a new file, created where the user asked
            // A dangling link: the file it names may be created in a folder of the user.
            struct stat folder {};
            if (::stat(folderOf(current).c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode) ||
                folder.st_uid != user)
                throw IniWriteError(path);
            return current;
        }
        if (!S_ISLNK(st.st_mode)) {
            if (links > 0 && (st.st_uid != user || !S_ISREG(st.st_mode)))
                throw IniWriteError(path);
            return current;
        }
        std::string target;
        if (st.st_uid != user || !readLink(current, target) || target.empty())
            throw IniWriteError(path);
        current = target[0] == '/' ? target : folderOf(current) + "/" + target;
    }
    throw IniWriteError(path);
}

} // namespace WriteTarget
