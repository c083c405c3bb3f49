// The saved-game reader on any file: whatever it holds, the game read is one the engine
// can play, and writing it and reading it again changes nothing.
#include "IniWriteError.h"
#include "PlayerKind.h"
#include "SavedGame.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

std::string scratchPath() {
    return "/dev/shm/bramidou-fuzz-" + std::to_string(::getpid()) + ".sav";
}

void check(const SavedGame& game) {
    if (game.currentColour < 1 || game.currentColour > 4 ||
        game.playerKind[game.currentColour] == PlayerKind::Disabled)
        std::abort();
    for (int colour = 1; colour <= 4; ++colour) {
        if (game.playerKind[colour] < PlayerKind::Human ||
            game.playerKind[colour] > PlayerKind::Disabled)
            std::abort();
        for (int horse = 1; horse <= 4; ++horse) {
            if (!isSquareOfColour(game.horseSquare[colour][horse], colour))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = scratchPath();
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const SavedGame game = readSavedGame(input);
    check(game);

    // Saving over the received file keeps its other lines and reads back the same game.
    // Each save flushes 21 files, so only one input in eight, chosen by its content,
    // takes that path; the reader sees them all.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (std::hash<std::string>{}(bytes) % 8 != 0) {
        ::unlink(input.c_str());
        return 0;
    }
    writeSavedGame(input, game);
    const SavedGame again = readSavedGame(input);
    ::unlink(input.c_str());
    for (int colour = 1; colour <= 4; ++colour) {
        if (again.playerKind[colour] != game.playerKind[colour])
            std::abort();
        for (int horse = 1; horse <= 4; ++horse) {
            if (again.horseSquare[colour][horse] != game.horseSquare[colour][horse])
                std::abort();
        }
    }
    if (again.currentColour != game.currentColour)
        std::abort();
    return 0;
}
