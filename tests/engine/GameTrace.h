#pragma once

#include "BoardView.h"
#include "VirtualClock.h"

#include <string>
#include <vector>

// A board that writes what it is asked to show as a short readable log, one line per
// event, each starting with the virtual time in ms:
//   1500 die 4
//   2000 markers 5 0 0 19
//   5000 PionVert2 16 step 17 step 18 step 19 step capture
//   5800 PionBleu1 321
//   5800 message Information: Le Cheval Vert est arrivé à l'écurie.
// A walk is one line; redraws that leave an image where it was, and the blink (marker
// pictures and lit buttons), are left out, so two runs that differ only in blink ticks
// give the same log.
class TraceView : public BoardView {
public:
    explicit TraceView(VirtualClock& clock);

    int soundMs = 200;
    int answer = MessageResult::No; // to every question
    std::vector<std::string> lines;

    // A line of the driver's own, such as a click.
    void note(const std::string& text);

    void moveImageToSquare(ImageRef image, int square) override;
    void moveMarkersAside() override;
    void setMarkerPictures(bool) override {}
    void showDie(int face) override;
    void hideDie() override;
    void setHorseVisible(ImageRef image, bool on) override;
    void setThrowButtonLit(int, bool) override {}
    void prepareMarkersForNewGame() override;
    void playWaveSync(const std::string& file) override;
    void sleepMs(int ms) override;
    int showMessage(const std::string& caption, const std::string& text, int kind) override;

private:
    void add(const std::string& text);
    // Appends to the last line when it is the same image's walk.
    void addToWalk(const std::string& text);

    VirtualClock& clock_;
    int horseSquare_[5][5] = {};
    bool horseShown_[5][5] = {};
    int markerSquare_[5] = {};
    bool markersAside_ = false;
    bool walkOpen_ = false;
    ImageRef walking_;
};

std::vector<std::string> readTrace(const std::string& path);
void writeTrace(const std::string& path, const std::vector<std::string>& lines);
// Empty when both logs are the same; otherwise the first differing line of each, with
// the lines before it for context.
std::string firstDifference(const std::vector<std::string>& expected,
                            const std::vector<std::string>& actual);
