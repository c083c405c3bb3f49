#pragma once

// How well the computer plays the colours it holds. A plain int, as the settings file
// stores the number and may hold any value.
namespace ComputerLevel {
enum : int { Standard = 1, Strong = 2 };

// The file's value: anything but the strong level plays as before.
inline int checked(int level) {
    return level == Strong ? Strong : Standard;
}
} // namespace ComputerLevel
