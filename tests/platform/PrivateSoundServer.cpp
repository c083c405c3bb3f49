#include "PrivateSoundServer.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

bool onPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "/usr/bin:/bin");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0)
            return true;
    return false;
}

} // namespace

bool PrivateSoundServer::installed() {
    return onPath("pulseaudio") && onPath("pactl");
}

PrivateSoundServer::PrivateSoundServer() {
    char pattern[] = "/tmp/bramidou-pulse-test.XXXXXX";
    if (!mkdtemp(pattern)) {
        failure_ = "no temporary folder";
        return;
    }
    dir_ = pattern;
    std::filesystem::create_directories(dir_ + "/runtime");
    std::filesystem::create_directories(dir_ + "/home");
    address_ = "unix:" + dir_ + "/native";

    std::vector<std::string> args = {
        "pulseaudio",
        "--daemonize=no",
        "--exit-idle-time=-1",
        "-n",
        "--use-pid-file=no",
        "--system=false",
        "--disallow-exit",
        "--log-target=file:" + dir_ + "/daemon.log",
        "--load=module-null-sink sink_name=bramidou_null",
        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + dir_ + "/native"};
    std::vector<std::string> env = {
        "HOME=" + dir_ + "/home", "XDG_RUNTIME_DIR=" + dir_ + "/runtime",
        "PULSE_RUNTIME_PATH=" + dir_ + "/runtime", "DBUS_SESSION_BUS_ADDRESS=disabled:"};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string key = entry.substr(0, entry.find('='));
        if (key != "HOME" && key != "XDG_RUNTIME_DIR" && key != "PULSE_RUNTIME_PATH" &&
            key != "DBUS_SESSION_BUS_ADDRESS" && key != "PULSE_SERVER")
            env.push_back(entry);
    }
    std::vector<char*> argv, envp;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    if (posix_spawnp(&pid_, "pulseaudio", nullptr, nullptr, argv.data(), envp.data()) != 0) {
        pid_ = -1;
        failure_ = "pulseaudio could not be started";
        return;
    }
    setenv("PULSE_SERVER", address_.c_str(), 1);

    const std::string probe = "PULSE_SERVER=" + address_ + " pactl info >/dev/null 2>&1";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            break;
        }
        if (std::system(probe.c_str()) == 0) {
            running_ = true;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::ifstream log(dir_ + "/daemon.log");
    std::stringstream text;
    text << log.rdbuf();
    failure_ = "the daemon did not answer: " + text.str();
}

PrivateSoundServer::~PrivateSoundServer() {
    stop();
    // A server started after this one owns the variable now.
    const char* current = std::getenv("PULSE_SERVER");
    if (current && address_ == current)
        unsetenv("PULSE_SERVER");
    if (!dir_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
}

void PrivateSoundServer::freeze() {
    if (pid_ > 0)
        kill(pid_, SIGSTOP);
}

void PrivateSoundServer::thaw() {
    if (pid_ > 0)
        kill(pid_, SIGCONT);
}

void PrivateSoundServer::stop() {
    if (pid_ <= 0)
        return;
    kill(pid_, SIGCONT);
    kill(pid_, SIGTERM);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (waitpid(pid_, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    pid_ = -1;
    running_ = false;
}
