#pragma once

#include <string>

// One running copy per user: an exclusive lock on a file named after the lock in the
// user's runtime folder. The system drops the lock when the process ends, even killed.
class SingleInstanceLock {
public:
    enum class Result { Acquired, AlreadyRunning, Unavailable };

    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    Result acquire(const std::string& name);
    void release();

private:
    int fd_ = -1;
};
