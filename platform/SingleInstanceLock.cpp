#include "SingleInstanceLock.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The lock lives in the user's runtime folder, which only the user can write; without
// one, a per-user name under /tmp keeps two users from blocking each other.
std::string lockPath(const std::string& name) {
    std::string file = name;
    for (char& c : file) {
        if (c == '/')
            c = '_';
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/')
        return std::string(runtime) + "/" + file;
    return "/tmp/" + std::to_string(getuid()) + "-" + file;
}

} // namespace

SingleInstanceLock::~SingleInstanceLock() {
    release();
}

SingleInstanceLock::Result SingleInstanceLock::acquire(const std::string& name) {
    release();
    // O_NOFOLLOW: under /tmp a link planted by someone else must not make us create or
    // lock a file of their choosing.
    int fd;
    do {
        fd = ::open(lockPath(name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return Result::Unavailable;

    int rc;
    do {
        rc = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int err = errno;
        ::close(fd);
        return err == EWOULDBLOCK ? Result::AlreadyRunning : Result::Unavailable;
    }
    fd_ = fd;
    return Result::Acquired;
}

void SingleInstanceLock::release() {
    if (fd_ >= 0) {
        // Closing drops the lock; the file stays so the next copy reuses it.
        ::close(fd_);
        fd_ = -1;
    }
}
