#pragma once

#include "ColourLayout.h"
#include "EngineTestAccess.h"
#include "HeadlessGame.h"
#include "RecordingView.h"
#include "ScriptedDie.h"

#include <gtest/gtest.h>

#include <array>

using Squares = std::array<int, 4>;

// The real engine on virtual time, with a recording board and a pinned die.
class EngineHarness : public ::testing::Test {
protected:
    EngineHarness() : view(clock), game(clock, view, die, settings) {}

    GameEngine& engine() { return game.engine(); }
    GameState& state() { return EngineTestAccess::state(game.engine()); }
    HorseWalk& walk() { return EngineTestAccess::walk(game.engine()); }

    void setKinds(int jaune, int vert, int bleu, int rouge) {
        settings.playerKind[1] = jaune;
        settings.playerKind[2] = vert;
        settings.playerKind[3] = bleu;
        settings.playerKind[4] = rouge;
    }

    // A game set up with the given horses, the board rebuilt for `mover`; the horses of
    // each colour are renumbered as the game always numbers them.
    void position(const std::array<Squares, 5>& squares, int mover = 1) {
        engine().stopGame(); // no turn of an earlier position may still be under way
        engine().setUpGame();
        for (int c = 1; c <= 4; ++c) {
            for (int k = 1; k <= 4; ++k) {
                state().horseSquare[c][k] = squares[c][k - 1];
            }
        }
        engine().rebuildBoard(mover);
        state().currentColour = mover;
    }

    Squares horsesOf(int colour) {
        return {state().horseSquare[colour][1], state().horseSquare[colour][2],
                state().horseSquare[colour][3], state().horseSquare[colour][4]};
    }

    Squares targets() {
        return {state().moveTarget[1], state().moveTarget[2], state().moveTarget[3],
                state().moveTarget[4]};
    }

    // Runs timers until the predicate holds or the bound is reached.
    template <typename Pred> bool runUntil(Pred done, int maxTicks = 100000) {
        for (int i = 0; i < maxTicks && !done(); ++i) {
            if (!clock.runNext()) {
                return done();
            }
        }
        return done();
    }

    Settings settings;
    VirtualClock clock;
    RecordingView view;
    ScriptedDie die;
    HeadlessGame game;
};
