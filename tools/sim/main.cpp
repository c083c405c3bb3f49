// bramidou-sim: plays complete games between computer colours on virtual time and prints
// what happened in them as one JSON object on one line. Exit status: 0 done, 1 a game did
// not end, 2 bad options, 3 the result could not be written.
#include "GameStatistics.h"
#include "SimOptions.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!SimOptions::parse(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "bramidou-sim: %s\n", error.c_str());
        return 2;
    }
    if (!options.seedGiven) {
        options.seed = static_cast<unsigned>(
            std::chrono::high_resolution_clock::now().time_since_epoch().count());
    }

    GameStatistics stats(options.kinds, options.seed, options.levels);
    const auto wallStart = std::chrono::steady_clock::now();
    long unfinished = 0;
    for (long g = 0; g < options.games; ++g) {
        if (!stats.playGame()) {
            ++unfinished;
        }
    }
    const double wallSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();

    const double n = static_cast<double>(stats.games());
    errno = 0;
    const int printed = std::printf(
        "{\"games\":%ld,\"seed\":%u,\"kinds\":[%d,%d,%d,%d],"
        "\"throws_per_game\":%.3f,\"moves_per_game\":%.3f,\"captures_per_game\":%.3f,"
        "\"first_to_finish\":[%lld,%lld,%lld,%lld],\"virtual_seconds_per_game\":%.3f,"
        "\"games_per_second\":%.1f}\n",
        stats.games(), options.seed, options.kinds[1], options.kinds[2], options.kinds[3],
        options.kinds[4], static_cast<double>(stats.throws()) / n,
        static_cast<double>(stats.moves()) / n, static_cast<double>(stats.captures()) / n,
        static_cast<long long>(stats.firstToFinish(1)),
        static_cast<long long>(stats.firstToFinish(2)),
        static_cast<long long>(stats.firstToFinish(3)),
        static_cast<long long>(stats.firstToFinish(4)),
        static_cast<double>(stats.virtualMs()) / 1000.0 / n,
        wallSeconds > 0 ? n / wallSeconds : 0.0);
    // A result that never reached its reader (a full disk, a closed standard output) is a
    // failure, whatever the games did.
    if (printed < 0 || std::fflush(stdout) != 0 || std::ferror(stdout)) {
        const int cause = errno;
        std::fprintf(stderr, "bramidou-sim: the result could not be written%s%s\n",
                     cause != 0 ? ": " : "", cause != 0 ? std::strerror(cause) : "");
        return 3;
    }
    if (unfinished != 0) {
        std::fprintf(stderr, "bramidou-sim: %ld game(s) did not end\n", unfinished);
        return 1;
    }
    return 0;
}
