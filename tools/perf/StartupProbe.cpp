// Starts a program and reports how long it took, from the exec to the moment the X server
// mapped its window with the given title. The program is left running, so the caller can
// go on measuring it; its process id is printed with the time.
//
//   bramidou-startup-probe [--title TITLE] [--timeout-ms N] COMMAND [ARGS...]
//
// Watches the root window's children, so run it without a window manager (one would map
// its own frame instead of the program's window).
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::string windowTitle(Display* display, Window window) {
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) && name)
        title = name;
    if (name)
        XFree(name);
    return title;
}

int usage() {
    std::fprintf(stderr, "usage: bramidou-startup-probe [--title TITLE] [--timeout-ms N] "
                         "COMMAND [ARGS...]\n");
    return 2;
}

// X errors about windows that vanished between the event and our question are expected.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::string title = "Les Bramidou";
    long timeoutMs = 30000;
    int first = 1;
    while (first < argc && argv[first][0] == '-') {
        if (!std::strcmp(argv[first], "--title") && first + 1 < argc) {
            title = argv[first + 1];
        } else if (!std::strcmp(argv[first], "--timeout-ms") && first + 1 < argc) {
            timeoutMs = std::atol(argv[first + 1]);
        } else {
            return usage();
        }
        first += 2;
    }
    if (first >= argc)
        return usage();

    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup-probe: no X display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);

    const auto start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        return 1;
    if (child == 0) {
        close(ConnectionNumber(display));
        execvp(argv[first], argv + first);
        std::perror("startup-probe: exec");
        _exit(127);
    }

    const auto deadline = start + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != MapNotify || windowTitle(display, event.xmap.window) != title)
                continue;
            const auto ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            std::printf("startup_ms=%.1f pid=%d\n", ms, static_cast<int>(child));
            return 0;
        }
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "startup-probe: the program ended before its window mapped\n");
            return 1;
        }
        pollfd fd{ConnectionNumber(display), POLLIN, 0};
        poll(&fd, 1, 50);
    }
    std::fprintf(stderr, "startup-probe: no window titled \"%s\" within %ld ms\n", title.c_str(),
                 timeoutMs);
    kill(child, SIGTERM);
    return 1;
}
