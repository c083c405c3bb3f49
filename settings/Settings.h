#pragma once

#include "ComputerLevel.h"
#include "PlayerKind.h"

#include <string>

// The one settings record of the process. Per-colour arrays are indexed 1..4
// (Jaune, Vert, Bleu, Rouge); index 0 is unused.
struct Settings {
    int playerKind[5] = {0, PlayerKind::Human, PlayerKind::Computer, PlayerKind::Computer,
                         PlayerKind::Computer};
    bool soundOn = false;
    bool soundAvailable = false;
    int choiceDelaySeconds = 3;
    int choiceDelayMs = 3000;
    int computerLevel = ComputerLevel::Standard;
    int mainLeft = 0;
    int mainTop = 0;
    int mainWidth = 0;
    int mainHeight = 0;
    int cdLeft = 0;
    int cdTop = 0;
    // Disc images the CD player counts as drives (key "ImagesCD", paths separated by ':').
    // Read only: the game never writes the key, so it stays as the user typed it.
    std::string cdImages;
    std::string settingsPath;
};
