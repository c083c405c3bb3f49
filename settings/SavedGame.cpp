#include "SavedGame.h"

#include "IniFile.h"
#include "PlayerKeys.h"
#include "SafeFile.h"

namespace {

const char* const kTypeSection = "Type";
const char* const kPositionSection = "Position";
const char* const kTurnSection = "Joueur";
const char* const kTurnKey = "numéro du joueur en cours";

std::string horseKey(int colour, int horse) {
    return std::string(PlayerKeys::kKey[colour]) + " " + std::to_string(horse);
}

int firstPlayingColour(const SavedGame& game) {
    for (int colour = 1; colour <= 4; ++colour) {
        if (game.playerKind[colour] != PlayerKind::Disabled)
            return colour;
    }
    return 1;
}

SavedGame parseSavedGame(const IniDocument& ini) {
    SavedGame game{};
    for (int colour = 1; colour <= 4; ++colour) {
        const int kind =
            ini.readInt(kTypeSection, PlayerKeys::kKey[colour], PlayerKeys::kDefaultKind[colour]);
        game.playerKind[colour] = PlayerKeys::checkedKind(kind);
        for (int horse = 1; horse <= 4; ++horse) {
            const int square = ini.readInt(kPositionSection, horseKey(colour, horse), 0);
            game.horseSquare[colour][horse] = isSquareOfColour(square, colour) ? square : 0;
        }
    }
    game.currentColour = ini.readInt(kTurnSection, kTurnKey, 1);
    if (game.currentColour < 1 || game.currentColour > 4)
        game.currentColour = firstPlayingColour(game);
    if (game.playerKind[game.currentColour] == PlayerKind::Disabled)
        game.playerKind[game.currentColour] = PlayerKind::Human;
    return game;
}

} // namespace

bool isSquareOfColour(int square, int colour) {
    // Stable, the shared track, or this colour's column, finish and arrival slots. The
    // stable drawing places and "out of sight" are drawing details, not positions.
    return (square >= 0 && square <= 56) || (square >= 100 * colour && square <= 100 * colour + 10);
}

SavedGame readSavedGame(const std::string& path) {
    return parseSavedGame(IniFile(path).read());
}

std::optional<SavedGame> readSavedGameFile(const std::string& path) {
    std::string bytes;
    bool truncated = false;
    if (SafeFile::read(path, bytes, &truncated) != SafeFile::ReadResult::Read || truncated)
        return std::nullopt;
    return parseSavedGame(IniDocument(std::move(bytes)));
}

void writeSavedGame(const std::string& path, const SavedGame& game) {
    // All twenty-one keys in one replacement: a save that fails half-way must not leave
    // a file that mixes two games.
    IniFile(path).update([&](IniDocument& ini) {
        for (int colour = 1; colour <= 4; ++colour)
            ini.setInt(kTypeSection, PlayerKeys::kKey[colour], game.playerKind[colour]);
        for (int colour = 1; colour <= 4; ++colour) {
            for (int horse = 1; horse <= 4; ++horse)
                ini.setInt(kPositionSection, horseKey(colour, horse),
                           game.horseSquare[colour][horse]);
        }
        ini.setInt(kTurnSection, kTurnKey, game.currentColour);
    });
}
