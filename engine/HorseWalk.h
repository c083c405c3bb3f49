#pragma once

#include "BoardView.h"
#include "GameState.h"
#include "ImageRef.h"

#include "Settings.h"

// The walk: moves a horse's image square by square, with a step sound, or a pause when
// the sound is off, at each square and a capture sound where it lands on an opponent.
class HorseWalk {
public:
    static constexpr int stepPauseMs = 400;
    static constexpr const char* moveSound = "movehorse.wav";
    static constexpr const char* captureSound = "killhorse.wav";
    // The colour placeHorse is given for a marker: it never sounds.
    static constexpr int markerColour = 10;

    HorseWalk(BoardView& view, const GameState& state, const Settings& settings);

    // Takes image from square `from` to square `to`. The board is read as it stands
    // before the move is recorded, so an opponent still stands on `to` at a capture.
    void placeHorse(int from, int to, int colour, const ImageRef& image);
    // The image on `square`, silently; -1 stands for the image's own resting square.
    void drawHorseAt(int square, const ImageRef& image);
    void playMoveStep();
    void playCapture();

private:
    void playStep(const std::string& file);
    int ownerAt(int square) const;

    BoardView& view_;
    const GameState& state_;
    const Settings& settings_;
};
