#pragma once

#include <string>
#include <sys/types.h>

// A PulseAudio daemon of the test's own, with one null sink, reached through
// PULSE_SERVER while it lives. The same recipe as tests/e2e/pulse.sh, for tests that
// start the server from inside the test program.
class PrivateSoundServer {
public:
    static bool installed();

    PrivateSoundServer();
    ~PrivateSoundServer();
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    // True once the daemon answers; the failure text says why otherwise.
    bool running() const { return running_; }
    const std::string& failure() const { return failure_; }
    const std::string& address() const { return address_; }

    // A stopped process still accepts connections and never answers: the case that
    // would hang a client without timeouts.
    void freeze();
    void thaw();
    void stop();

private:
    std::string dir_;
    std::string address_;
    std::string failure_;
    pid_t pid_ = -1;
    bool running_ = false;
};
