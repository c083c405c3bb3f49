#pragma once

#include "PlayerKind.h"

// The settings file and the saved-game file name the colours' players alike.
namespace PlayerKeys {

inline const char* const kKey[5] = {nullptr, "Joueur Jaune", "Joueur Vert", "Joueur Bleu",
                                    "Joueur Rouge"};
inline const int kDefaultKind[5] = {0, PlayerKind::Human, PlayerKind::Computer,
                                    PlayerKind::Computer, PlayerKind::Computer};

// A kind the game does not know is played by the computer, as the turn cycle would.
inline int checkedKind(int kind) {
    return kind < PlayerKind::Human || kind > PlayerKind::Disabled ? PlayerKind::Computer : kind;
}

} // namespace PlayerKeys
