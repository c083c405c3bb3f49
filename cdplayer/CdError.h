#pragma once

#include <string>

// Result codes of the CD device's commands (0 is success) and their texts.
namespace CdError {

enum : int {
    none = 0,
    noDevice = 1,   // no device open, or none at that name
    openFailed = 2, // the drive or image could not be opened
    noDisc = 3,     // no disc, or the drive is not ready
    doorOpen = 4,
    outOfRange = 5, // a position or track outside the disc
    notPaused = 6,  // resume of a device that is not paused
    badTimeFormat = 7,
    cannotEject = 8,
    driveFailure = 9, // the drive refused or failed the command
};

// The text of a code; "Code d'erreur inconnu" for a code without one.
std::string text(int code);

} // namespace CdError
