#pragma once

// Who plays a colour. Kept as plain ints because the settings and saved-game files
// store the number and may hold any value; these are the three that mean something.
namespace PlayerKind {
enum : int { Human = 1, Computer = 2, Disabled = 3 };
}
