#pragma once

#include <optional>
#include <string>

// A game saved before the current colour's throw. Arrays are indexed from 1: colours
// 1..4 (Jaune, Vert, Bleu, Rouge) and horses 1..4.
struct SavedGame {
    int playerKind[5];
    int horseSquare[5][5];
    int currentColour;
};

// Reads a saved game; absent keys and values that are not integers take their defaults.
// A file may come from anyone, so values out of range are corrected: a player kind
// outside 1..3 becomes Computer, a square that does not exist for its colour becomes the
// stable, a current colour outside 1..4 becomes the first colour that plays, and a
// Disabled current colour becomes Human. Files the game wrote read back unchanged.
SavedGame readSavedGame(const std::string& path);

// The same for a file the player chose: nothing when it cannot be read whole (missing,
// no permission, a folder or device, larger than any INI file), so the caller can say so
// instead of loading a fresh game in its place. Any readable file loads as above.
std::optional<SavedGame> readSavedGameFile(const std::string& path);

// Writes the twenty-one keys in their order, in one replacement of the file; throws
// IniWriteError and then leaves the file as it was.
void writeSavedGame(const std::string& path, const SavedGame& game);

// Whether a square number means something for a horse of that colour.
bool isSquareOfColour(int square, int colour);
