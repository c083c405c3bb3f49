#pragma once

#include <string>

// What the player's display panel shows, worked out from the device's numbers.
namespace CdDisplay {

constexpr int modeCount = 7;
// Indexed by the device mode 0..6.
extern const char* const CDModeTexts[modeCount];

constexpr int fastRefreshMs = 100;
constexpr int slowRefreshMs = 5000;

// True for a mode that has a text; anything else is a device fault.
bool knownMode(int mode);
// The refresh follows the time while the disc moves, and looks in rarely otherwise.
int refreshInterval(int mode);

// A count or track number: decimal, followed by one space.
std::string numberText(int n);
// Minutes and seconds: "4 mn 7 s ", no leading zeros, ending with a space.
std::string timeText(int minutes, int seconds);

// A stored coordinate that would put the window off the left or top edge, or past the
// right or bottom one, is replaced by the centred one.
int correctedCoordinate(int stored, int screenSize, int windowSize);

} // namespace CdDisplay
