#pragma once

#include "ImageRef.h"

#include <string>

// What the engine asks of whoever shows the game. The main window implements it over its
// image controls; tests and the simulator implement it without any window system.
// Texts are UTF-8.
class BoardView {
public:
    virtual ~BoardView() = default;

    // Centre the image on the square's point and repaint it at once.
    virtual void moveImageToSquare(ImageRef image, int square) = 0;
    // Left edge of the four markers to -100, each repainted at once.
    virtual void moveMarkersAside() = 0;
    // The marker picture on the four markers, or no picture; they stay where they are.
    virtual void setMarkerPictures(bool on) = 0;
    // Face 1..6 on the die, made visible; any other value changes nothing.
    virtual void showDie(int face) = 0;
    virtual void hideDie() = 0;
    virtual void setHorseVisible(ImageRef image, bool on) = 0;
    virtual void setThrowButtonLit(int colour, bool on) = 0;
    // A new game: markers enabled, visible, and parked beyond the window's bottom right.
    virtual void prepareMarkersForNewGame() = 0;
    // Returns once the sound has been heard to its end; at once when it cannot play.
    virtual void playWaveSync(const std::string& file) = 0;
    virtual void sleepMs(int ms) = 0;
    // messageKind 0: a notice with OK (returns 1); 4: a question (returns 6 Yes, 7 No).
    virtual int showMessage(const std::string& caption, const std::string& text,
                            int messageKind) = 0;
};

namespace MessageKind {
enum : int { Ok = 0, YesNo = 4 };
}
namespace MessageResult {
enum : int { Ok = 1, Yes = 6, No = 7 };
}
