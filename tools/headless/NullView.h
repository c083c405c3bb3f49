#pragma once

#include "BoardView.h"
#include "VirtualClock.h"

// A board that shows nothing. Sounds and pauses take virtual time, so a walk lasts as
// long as it would on screen; messages answer at once.
class NullView : public BoardView {
public:
    static constexpr int defaultSoundMs = 200;

    explicit NullView(VirtualClock& clock) : clock_(clock) {}

    // How long one wave file plays; 0 stands for a missing file or no sound server.
    void setSoundLengthMs(int ms) { soundLengthMs_ = ms; }
    // The answer to every question (kind 4); notices always answer OK. No by default,
    // so that a question nobody expected never throws a game away.
    void setQuestionAnswer(int answer) { questionAnswer_ = answer; }

    void moveImageToSquare(ImageRef, int) override {}
    void moveMarkersAside() override {}
    void setMarkerPictures(bool) override {}
    void showDie(int) override {}
    void hideDie() override {}
    void setHorseVisible(ImageRef, bool) override {}
    void setThrowButtonLit(int, bool) override {}
    void prepareMarkersForNewGame() override {}
    void playWaveSync(const std::string& file) override;
    void sleepMs(int ms) override;
    int showMessage(const std::string& caption, const std::string& text, int messageKind) override;

protected:
    VirtualClock& clock() { return clock_; }

private:
    VirtualClock& clock_;
    int soundLengthMs_ = defaultSoundMs;
    int questionAnswer_ = MessageResult::No;
};
