#include "SafeFile.h"

#include "IniWriteError.h"
#include "TemporaryFile.h"
#include "WriteTarget.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor it holds on every path out of a function.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closing can report a write the disk refused late, so its result matters.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        // Makes the rename itself durable; a file system that cannot do it still has
        // the whole file under one of the two names.
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

namespace SafeFile {

ReadResult read(const std::string& path, std::string& bytes, bool* truncated) {
    bytes.clear();
    if (truncated)
        *truncated = false;
    // Non-blocking so that opening a FIFO does not wait for a writer.
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return ReadResult::Failed;
    char buffer[65536];
    while (bytes.size() < kMaxFileBytes) {
        const std::size_t want = std::min(sizeof buffer, kMaxFileBytes - bytes.size());
        const ssize_t n = ::read(fd.get(), buffer, want);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return ReadResult::Failed;
        if (n == 0)
            return ReadResult::Read;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    char probe;
    const bool more = ::read(fd.get(), &probe, 1) > 0;
    if (truncated)
        *truncated = more;
    return ReadResult::Read;
}

void replace(const std::string& path, const std::string& bytes) {
    const std::string target = WriteTarget::resolve(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        throw IniWriteError(path);
    if (exists &&
        (!S_ISREG(old.st_mode) || (old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
        throw IniWriteError(path);

    const std::string folder = WriteTarget::folderOf(target);
    const std::string name = target.substr(target.rfind('/') + 1);
    TemporaryFile::removeLeftovers(folder, name);
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporaryFile::path(folder, name, ::getpid(), attempt);
        // 0666 lets the umask decide for a new file, as for any file the user creates.
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw IniWriteError(path);

    Descriptor file(fd);
    bool ok = true;
    if (exists) {
        ok = ::fchmod(file.get(), old.st_mode & 07777) == 0;
        // Only root can give the file back to its owner; anyone else owns it already.
        if (ok && ::geteuid() == 0)
            ok = ::fchown(file.get(), old.st_uid, old.st_gid) == 0;
    }
    ok = ok && writeAll(file.get(), bytes) && ::fsync(file.get()) == 0;
    ok = file.close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        throw IniWriteError(path);
    }
    syncFolder(folder);
}

} // namespace SafeFile
