#include "CdDisplay.h"

namespace CdDisplay {

const char* const CDModeTexts[modeCount] = {"Pas Prêt",  "Arrêté", "Exécution", "Enregistrement",
                                            "Recherche", "Pause",  "Ouvert"};

bool knownMode(int mode) {
    return mode >= 0 && mode < modeCount;
}

int refreshInterval(int mode) {
    switch (mode) {
    case 0: // not ready
    case 1: // stopped
    case 5: // paused
    case 6: // door open
        return slowRefreshMs;
    default:
        return fastRefreshMs;
    }
}

std::string numberText(int n) {
    return std::to_string(n) + " ";
}

std::string timeText(int minutes, int seconds) {
    return std::to_string(minutes) + " mn " + std::to_string(seconds) + " s ";
}

int correctedCoordinate(int stored, int screenSize, int windowSize) {
    if (stored < 0 || stored >= screenSize - windowSize)
        return (screenSize - windowSize) / 2;
    return stored;
}

} // namespace CdDisplay
