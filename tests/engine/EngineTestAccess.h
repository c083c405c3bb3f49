#pragma once

#include "GameEngine.h"

// What tests may do that the window may not: write the game state to set a position up,
// and walk a single horse.
struct EngineTestAccess {
    static GameState& state(GameEngine& engine) { return engine.state_; }
    static HorseWalk& walk(GameEngine& engine) { return engine.walk_; }
};
