#include "HorseWalk.h"

namespace {

// A placement the image makes in one jump rather than square by square.
bool isDirect(int from, int to) {
    const bool leavesStable = from == Square::Stable && Square::isTrack(to);
    const bool offTheTrack = to >= 100 && to < Square::OffBoard;
    return to == from || to == from + 1 || leavesStable || offTheTrack;
}

bool isHomeEntry(int square) {
    return square % 100 == 0 && square >= Square::homeStep(1, 1) &&
           square <= Square::homeStep(4, 1);
}

} // namespace

HorseWalk::HorseWalk(BoardView& view, const GameState& state, const Settings& settings)
    : view_(view), state_(state), settings_(settings) {}

void HorseWalk::placeHorse(int from, int to, int colour, const ImageRef& image) {
    if (isDirect(from, to)) {
        view_.moveImageToSquare(image, to);
        if (colour == markerColour) {
            return;
        }
        const int occupant = ownerAt(to);
        if (occupant != 0 && occupant != colour && Square::isTrack(to)) {
            playCapture();
        } else if (to == from + 1) {
            if (occupant == 0) {
                playMoveStep();
            } else {
                playCapture();
            }
        } else if (occupant == 0 && (to <= Square::LastTrack || isHomeEntry(to))) {
            playMoveStep();
        }
        // Anything else is a redraw on the horse's own square, a stable square, an
        // arrival slot or out of sight: silent.
        return;
    }
    if (to < 1 || to > 99) {
        return;
    }
    view_.moveMarkersAside();
    if (from > to) {
        // The walk passes from 56 to 1.
        for (int s = from + 1; s <= Square::LastTrack; ++s) {
            view_.moveImageToSquare(image, s);
            playMoveStep();
        }
        from = 0;
    }
    for (int s = from + 1; s <= to; ++s) {
        view_.moveImageToSquare(image, s);
        playMoveStep();
    }
    if (ownerAt(to) != 0 && Square::isTrack(to)) {
        playCapture();
    }
}

// Every caller redraws an image where its horse already stands by the board index, on a
// resting square or out of sight: never a walk and never a sound.
void HorseWalk::drawHorseAt(int square, const ImageRef& image) {
    view_.moveImageToSquare(image, square == -1 ? image.restingSquare() : square);
}

void HorseWalk::playMoveStep() {
    playStep(moveSound);
}

void HorseWalk::playCapture() {
    playStep(captureSound);
}

void HorseWalk::playStep(const std::string& file) {
    view_.moveMarkersAside();
    // Read at every step: the sound may be switched off between two games.
    if (settings_.soundOn) {
        view_.playWaveSync(file);
    } else {
        view_.sleepMs(stepPauseMs);
    }
}

int HorseWalk::ownerAt(int square) const {
    return (square >= 1 && square <= Square::OffBoard) ? state_.boardOwner[square] : 0;
}
