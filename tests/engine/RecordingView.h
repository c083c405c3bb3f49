#pragma once

#include "BoardView.h"
#include "VirtualClock.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A board that writes down every call the engine makes, with the virtual time of each.
// Sounds last soundMs of virtual time (0: a missing file), pauses their own length.
class RecordingView : public BoardView {
public:
    enum class Op {
        MoveImage,
        MarkersAside,
        MarkerPictures,
        ShowDie,
        HideDie,
        HorseVisible,
        ButtonLit,
        PrepareMarkers,
        Wave,
        Sleep,
        Message
    };
    struct Call {
        Op op;
        VirtualClock::Ms at;
        ImageRef image;
        int value; // square, face, colour, milliseconds or message kind
        bool on;
        std::string text; // file, or caption + "|" + text
    };

    explicit RecordingView(VirtualClock& clock) : clock_(clock) {}

    int soundMs = 200;
    // Answers given to questions in turn; once used up, questions are answered No.
    std::deque<int> answers;
    // Runs while a message is open, as the modal box's event loop would.
    std::function<void(const std::string& text)> whileMessageOpen;

    std::vector<Call> calls;

    std::vector<Call> of(Op op) const;
    std::vector<std::string> messages() const;
    std::vector<std::string> sounds() const; // "movehorse.wav", "killhorse.wav" or "pause"
    // Squares the image was moved to, in order.
    std::vector<int> squaresOf(ImageRef image) const;
    void clear() { calls.clear(); }

    void moveImageToSquare(ImageRef image, int square) override;
    void moveMarkersAside() override;
    void setMarkerPictures(bool on) override;
    void showDie(int face) override;
    void hideDie() override;
    void setHorseVisible(ImageRef image, bool on) override;
    void setThrowButtonLit(int colour, bool on) override;
    void prepareMarkersForNewGame() override;
    void playWaveSync(const std::string& file) override;
    void sleepMs(int ms) override;
    int showMessage(const std::string& caption, const std::string& text, int messageKind) override;

private:
    void record(Op op, ImageRef image, int value, bool on, std::string text = {});
    VirtualClock& clock_;
};
