#pragma once

#include <chrono>

// Asks the sound server, through the asynchronous client API, whether it answers and how
// many sinks it has. Every wait is bounded: a server that accepts the connection and then
// never replies (a stopped process) costs at most the budget, never a hang. No daemon is
// ever spawned on our behalf.
class SoundServerProbe {
public:
    static constexpr int unreachable = -1;

    // The number of sinks, or `unreachable` when no server answered within the budget.
    static int sinkCount(std::chrono::milliseconds budget);
    // True when a server completes the connection handshake within the budget.
    static bool answers(std::chrono::milliseconds budget);
};
