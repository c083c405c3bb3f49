#include "EngineHarness.h"

#include <string>
#include <vector>

namespace {

using Sounds = std::vector<std::string>;
const std::string step = "movehorse.wav";
const std::string kill = "killhorse.wav";

struct PlaceCase {
    std::string name;
    int from, to, colour;
    int occupant;          // colour standing on `to` before the move, 0 for none
    Sounds sounds;         // with sound on
    std::vector<int> path; // squares the image is moved to
};

const std::vector<PlaceCase> placeCases = {
    {"walk_over_the_wrap", 54, 2, 2, 0, {step, step, step, step}, {55, 56, 1, 2}},
    {"walk_ending_on_an_opponent", 20, 23, 1, 2, {step, step, step, kill}, {21, 22, 23}},
    {"single_step_onto_an_opponent", 20, 21, 1, 2, {kill}, {21}},
    {"single_step", 20, 21, 1, 0, {step}, {21}},
    {"wrap_by_one_is_a_walk", 56, 1, 4, 0, {step}, {1}},
    {"into_the_column", 56, 100, 1, 0, {step}, {100}},
    {"up_the_column", 101, 102, 1, 0, {step}, {102}},
    {"onto_the_finish", 305, 306, 3, 0, {step}, {306}},
    {"stable_exit_empty", 0, 29, 3, 0, {step}, {29}},
    {"stable_exit_capture", 0, 43, 4, 1, {kill}, {43}},
    {"redraw_on_own_square", 30, 30, 1, 1, {}, {30}},
    {"redraw_on_stable_square", 121, 121, 1, 0, {}, {121}},
    {"redraw_on_arrival_slot", 207, 207, 2, 2, {}, {207}},
    {"marker_on_an_occupied_square", 12, 12, 10, 2, {}, {12}},
    {"out_of_sight", 500, 500, 0, 0, {}, {500}},
    {"nowhere_below_the_board", 3, -4, 1, 0, {}, {}},
    {"nowhere_beyond_500", 3, 600, 1, 0, {}, {}},
};

void PrintTo(const PlaceCase& c, std::ostream* os) {
    *os << c.name;
}

class PlaceHorseSounds : public EngineHarness, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PlaceHorseSounds, WithSoundOn) {
    const PlaceCase& pc = GetParam();
    settings.soundOn = true;
    state().boardOwner[pc.to > 0 && pc.to <= 500 ? pc.to : 1] = pc.to > 0 ? pc.occupant : 0;
    view.clear();
    const ImageRef image = ImageRef::horse(pc.colour >= 1 && pc.colour <= 4 ? pc.colour : 1, 1);
    const auto start = clock.now();
    walk().placeHorse(pc.from, pc.to, pc.colour, image);
    EXPECT_EQ(view.sounds(), pc.sounds);
    EXPECT_EQ(view.squaresOf(image), pc.path);
    EXPECT_EQ(clock.now() - start, 200 * static_cast<long>(pc.sounds.size()));
    // Every sound moves the markers aside first, so none stays visible during a move.
    EXPECT_GE(view.of(RecordingView::Op::MarkersAside).size(), pc.sounds.size());
}

TEST_P(PlaceHorseSounds, WithSoundOffEverySoundIsAPause) {
    const PlaceCase& pc = GetParam();
    settings.soundOn = false;
    state().boardOwner[pc.to > 0 && pc.to <= 500 ? pc.to : 1] = pc.to > 0 ? pc.occupant : 0;
    view.clear();
    const auto start = clock.now();
    walk().placeHorse(pc.from, pc.to, pc.colour, ImageRef::horse(1, 1));
    EXPECT_EQ(view.sounds(), Sounds(pc.sounds.size(), "pause"));
    EXPECT_EQ(clock.now() - start, 400 * static_cast<long>(pc.sounds.size()));
}

INSTANTIATE_TEST_SUITE_P(Table, PlaceHorseSounds, ::testing::ValuesIn(placeCases),
                         [](const auto& info) { return info.param.name; });

using PlaceHorse = EngineHarness;

TEST_F(PlaceHorse, VertWalkFrom54LastsFourSteps) {
    settings.soundOn = false;
    view.clear();
    walk().placeHorse(54, 2, 2, ImageRef::horse(2, 1));
    EXPECT_EQ(clock.now(), 1600);
}

TEST_F(PlaceHorse, AMissingSoundGivesNoPause) {
    settings.soundOn = true;
    view.soundMs = 0;
    walk().placeHorse(10, 14, 1, ImageRef::horse(1, 1));
    EXPECT_EQ(clock.now(), 0);
    EXPECT_EQ(view.sounds().size(), 4u);
}

TEST_F(PlaceHorse, SoundSettingIsReadAtEveryStep) {
    settings.soundOn = true;
    walk().placeHorse(10, 11, 1, ImageRef::horse(1, 1));
    settings.soundOn = false;
    walk().placeHorse(11, 12, 1, ImageRef::horse(1, 1));
    EXPECT_EQ(view.sounds(), (Sounds{step, "pause"}));
}

TEST_F(PlaceHorse, DrawHorseAtMinusOneUsesTheImagesOwnRestingPlace) {
    view.clear();
    walk().drawHorseAt(-1, ImageRef::horse(3, 4));
    walk().drawHorseAt(-1, ImageRef::marker(2));
    EXPECT_EQ(view.squaresOf(ImageRef::horse(3, 4)), std::vector<int>{324});
    EXPECT_EQ(view.squaresOf(ImageRef::marker(2)), std::vector<int>{500});
    EXPECT_TRUE(view.sounds().empty());
}

} // namespace
