#include "SimOptions.h"

#include "ComputerLevel.h"
#include "PlayerKind.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace {
// Plain decimal digits only: strtoul would take signs, blanks and hexadecimal.
bool parseUnsigned(const std::string& text, unsigned long long max, unsigned long long& out) {
    if (text.empty() || text.size() > 20) {
        return false;
    }
    for (char ch : text) {
        if (ch < '0' || ch > '9') {
            return false;
        }
    }
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno != 0 || value > max) {
        return false;
    }
    out = value;
    return true;
}

// Four comma-separated items, one per colour.
bool splitFour(const std::string& text, const char* option, const char* form,
               std::vector<std::string>& items, std::string& error) {
    size_t pos = 0;
    for (size_t comma; (comma = text.find(',', pos)) != std::string::npos; pos = comma + 1) {
        items.push_back(text.substr(pos, comma - pos));
    }
    items.push_back(text.substr(pos));
    if (items.size() != 4) {
        error =
            std::string(option) + " needs exactly four values, " + form + ", got \"" + text + "\"";
        return false;
    }
    return true;
}

bool parseKinds(const std::string& text, int kinds[5], std::string& error) {
    std::vector<std::string> items;
    if (!splitFour(text, "--kinds", "K1,K2,K3,K4", items, error)) {
        return false;
    }
    bool somebodyPlays = false;
    for (int c = 1; c <= 4; ++c) {
        const std::string& item = items[c - 1];
        if (item != "2" && item != "3") {
            error = "--kinds: each colour is 2 (computer) or 3 (disabled), got \"" + item + "\"";
            return false;
        }
        kinds[c] = item == "2" ? PlayerKind::Computer : PlayerKind::Disabled;
        somebodyPlays = somebodyPlays || kinds[c] == PlayerKind::Computer;
    }
    if (!somebodyPlays) {
        error = "--kinds: at least one colour must play";
        return false;
    }
    return true;
}

bool parseLevels(const std::string& text, int levels[5], std::string& error) {
    std::vector<std::string> items;
    if (!splitFour(text, "--levels", "L1,L2,L3,L4", items, error)) {
        return false;
    }
    for (int c = 1; c <= 4; ++c) {
        const std::string& item = items[c - 1];
        if (item != "1" && item != "2") {
            error = "--levels: each colour is 1 (standard) or 2 (strong), got \"" + item + "\"";
            return false;
        }
        levels[c] = item == "2" ? ComputerLevel::Strong : ComputerLevel::Standard;
    }
    return true;
}
} // namespace

bool SimOptions::parse(const std::vector<std::string>& args, SimOptions& out, std::string& error) {
    SimOptions result;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name != "--games" && name != "--seed" && name != "--kinds" && name != "--levels") {
            error = "unknown option \"" + name +
                    "\" (use --games N, --seed S, --kinds K1,K2,K3,K4, --levels L1,L2,L3,L4)";
            return false;
        }
        if (i + 1 >= args.size()) {
            error = name + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        unsigned long long number = 0;
        if (name == "--games") {
            if (!parseUnsigned(value, 100000000ULL, number) || number == 0) {
                error = "--games: a whole number from 1 to 100000000, got \"" + value + "\"";
                return false;
            }
            result.games = static_cast<long>(number);
        } else if (name == "--seed") {
            if (!parseUnsigned(value, std::numeric_limits<unsigned>::max(), number)) {
                error = "--seed: a whole number from 0 to 4294967295, got \"" + value + "\"";
                return false;
            }
            result.seed = static_cast<unsigned>(number);
            result.seedGiven = true;
        } else if (name == "--kinds") {
            if (!parseKinds(value, result.kinds, error)) {
                return false;
            }
        } else if (!parseLevels(value, result.levels, error)) {
            return false;
        }
    }
    out = result;
    return true;
}
