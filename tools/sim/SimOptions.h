#pragma once

#include <string>
#include <vector>

// What one run of the simulator plays.
struct SimOptions {
    long games = 100;
    unsigned seed = 0;
    bool seedGiven = false;
    int kinds[5] = {0, 2, 2, 2, 2};
    int levels[5] = {0, 1, 1, 1, 1}; // each computer colour's level

    // Reads the command line (without the program name). On a refused value, error says
    // why and the result is false.
    static bool parse(const std::vector<std::string>& args, SimOptions& out, std::string& error);
};
