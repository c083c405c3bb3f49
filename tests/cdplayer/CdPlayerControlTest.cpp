#include "CdPlayerControl.h"
#include "CdDisplay.h"
#include "CdTime.h"
#include "InMemoryDisc.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace CdTime;

namespace {

InMemoryBackend::Slot drive(const char* device, std::vector<int> tracks, bool canEject = true) {
    const std::string path = device;
    return {{path, path.substr(path.rfind('/') + 1)}, std::move(tracks), canEject};
}

TEST(CdDisplayTest, PanelTexts) {
    EXPECT_EQ(CdDisplay::numberText(12), "12 ");
    EXPECT_EQ(CdDisplay::numberText(1), "1 ");
    EXPECT_EQ(CdDisplay::timeText(4, 7), "4 mn 7 s ");
    EXPECT_EQ(CdDisplay::timeText(0, 0), "0 mn 0 s ");
    EXPECT_EQ(CdDisplay::timeText(74, 59), "74 mn 59 s ");
}

TEST(CdDisplayTest, EveryModeHasAShortTextAndItsCadence) {
    const char* const texts[] = {"Pas Prêt",  "Arrêté", "Exécution", "Enregistrement",
                                 "Recherche", "Pause",  "Ouvert"};
    const int intervals[] = {5000, 5000, 100, 100, 100, 5000, 5000};
    for (int mode = 0; mode < CdDisplay::modeCount; ++mode) {
        EXPECT_TRUE(CdDisplay::knownMode(mode));
        EXPECT_STREQ(CdDisplay::CDModeTexts[mode], texts[mode]);
        EXPECT_LE(std::strlen(texts[mode]), 20u);
        EXPECT_EQ(CdDisplay::refreshInterval(mode), intervals[mode]) << mode;
    }
    for (int mode : {-1, 7, 524, 530})
        EXPECT_FALSE(CdDisplay::knownMode(mode)) << mode;
}

TEST(CdDisplayTest, AnUnusableStoredPositionIsCentred) {
    struct Case {
        int stored, screen, window, shown;
    };
    const Case cases[] = {
        {0, 1024, 150, 0},     {-10, 1024, 150, 437},  {873, 1024, 150, 873},
        {874, 1024, 150, 437}, {5000, 1024, 150, 437}, {50, 768, 220, 50},
        {-1, 768, 220, 274},   {548, 768, 220, 274},   {-1, 100, 150, -25},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CdDisplay::correctedCoordinate(c.stored, c.screen, c.window), c.shown)
            << c.stored << " on " << c.screen;
}

TEST(CdPlayerControlTest, TheLastDriveWithADiscOfTwoTracksWins) {
    InMemoryBackend backend;
    backend.add(drive("/dev/sr1", {100, 100, 100}));
    backend.add(drive("/dev/sr0", {100, 100}));
    CdPlayerControl control(backend);
    EXPECT_FALSE(control.noDisc);
    EXPECT_EQ(control.mediaCDPlayer.FileName, "/dev/sr1");
    EXPECT_EQ(control.panel.drive, "sr1 ");
    EXPECT_EQ(backend.counts.opens, 1);
}

TEST(CdPlayerControlTest, ASingleTrackDiscDoesNotQualifyYetStaysOpenAndPlays) {
    InMemoryBackend backend;
    backend.add(drive("/dev/sr0", {63}));
    CdPlayerControl control(backend);
    EXPECT_TRUE(control.noDisc);
    EXPECT_TRUE(control.mediaCDPlayer.IsOpen());
    EXPECT_EQ(control.panel.drive, "sr0 ");
    EXPECT_EQ(control.refresh(), 5000);
    EXPECT_FALSE(control.noDisc);
    EXPECT_EQ(control.panel.status, "Arrêté");
    EXPECT_EQ(control.panel.tracks, "1 ");
    EXPECT_EQ(control.panel.currentTrack, "1 ");
    EXPECT_EQ(control.panel.trackTime, "1 mn 3 s ");
    EXPECT_EQ(control.panel.elapsed, "0 mn 0 s ");
    control.play();
    EXPECT_EQ(control.mediaCDPlayer.QueryMode(), 2);
}

TEST(CdPlayerControlTest, WithoutAnyDriveTheButtonsDoNothing) {
    InMemoryBackend backend;
    CdPlayerControl control(backend);
    EXPECT_TRUE(control.noDisc);
    EXPECT_EQ(control.panel.drive, "Vide");
    EXPECT_EQ(control.mediaCDPlayer.FileName, "c:");
    for (int tick = 0; tick < 3; ++tick) {
        EXPECT_EQ(control.refresh(), 5000);
        EXPECT_TRUE(control.noDisc);
        EXPECT_EQ(control.panel.drive, "Vide");
        EXPECT_EQ(control.panel.tracks, "");
    }
    control.play();
    control.togglePause();
    control.stop();
    control.previousTrack();
    control.nextTrack();
    control.eject();
    control.step(5000);
    control.step(-5000);
    EXPECT_EQ(backend.counts.opens, 0);
    EXPECT_FALSE(control.mediaCDPlayer.IsOpen());
}

TEST(CdPlayerControlTest, ThePanelFollowsThePlayingDisc) {
    InMemoryBackend backend;
    backend.add(drive("/dev/sr0", {200, 185, 247, 90, 305, 122, 60, 60, 60, 60, 60, 60}));
    CdPlayerControl control(backend);
    control.nextTrack();
    control.nextTrack();
    control.play();
    backend.advance(65 * 1000 + 500);
    EXPECT_EQ(control.refresh(), 100);
    EXPECT_EQ(control.panel.status, "Exécution");
    EXPECT_EQ(control.panel.tracks, "12 ");
    EXPECT_EQ(control.panel.currentTrack, "3 ");
    EXPECT_EQ(control.panel.trackTime, "4 mn 7 s ");
    EXPECT_EQ(control.panel.elapsed, "1 mn 5 s ");

    control.togglePause();
    EXPECT_EQ(control.refresh(), 5000);
    EXPECT_EQ(control.panel.status, "Pause");
    control.stop();
    EXPECT_EQ(control.refresh(), 5000);
    EXPECT_EQ(control.panel.status, "Arrêté");
    EXPECT_EQ(control.panel.currentTrack, "1 ");
    EXPECT_EQ(control.panel.elapsed, "0 mn 0 s ");
}

TEST(CdPlayerControlTest, EjectWhilePlayingEmptiesThePanelAndSearchesAgain) {
    InMemoryBackend backend;
    backend.add(drive("/dev/sr0", {100, 100}));
    CdPlayerControl control(backend);
    control.play();
    control.refresh();
    control.eject();
    const int opensBefore = backend.counts.opens;
    EXPECT_EQ(control.refresh(), 5000);
    EXPECT_EQ(control.panel.status, "Ouvert");
    EXPECT_EQ(control.panel.tracks, "");
    EXPECT_EQ(control.panel.elapsed, "");
    EXPECT_EQ(backend.counts.opens, opensBefore + 1);
    // The search reopened the drive, which still holds its disc here.
    EXPECT_FALSE(control.noDisc);
}

TEST(CdPlayerControlTest, FiveSecondStepsMoveThePositionAndPlayOn) {
    InMemoryBackend backend;
    backend.add(drive("/dev/sr0", {100, 100}));
    CdPlayerControl control(backend);
    control.step(5000);
    EXPECT_EQ(control.mediaCDPlayer.QueryMode(), 2);
    EXPECT_EQ(control.mediaCDPlayer.QueryTimeFormat(), formatMilliseconds);
    EXPECT_EQ(control.mediaCDPlayer.QueryPosition(), 5000u);
    backend.advance(1000);
    control.step(5000);
    EXPECT_EQ(control.mediaCDPlayer.QueryPosition(), 11000u);
    control.step(-5000);
    EXPECT_EQ(control.mediaCDPlayer.QueryPosition(), 6000u);
    // Within the first five seconds the step back is refused: it plays on from there.
    control.step(-5000);
    control.step(-5000);
    EXPECT_EQ(control.mediaCDPlayer.QueryPosition(), 1000u);
    EXPECT_EQ(control.mediaCDPlayer.QueryMode(), 2);
    control.refresh();
    EXPECT_EQ(control.mediaCDPlayer.QueryTimeFormat(), formatTmsf);
    // Paused before the step, it plays afterwards.
    control.togglePause();
    control.step(5000);
    EXPECT_EQ(control.mediaCDPlayer.QueryMode(), 2);
}

TEST(CdPlayerControlTest, AModeOutsideTheTableTakesTheFailurePath) {
    InMemoryBackend backend;
    backend.add(drive("/dev/sr0", {100, 100}));
    CdPlayerControl control(backend);
    control.refresh();
    for (int mode : {7, 3 + 524, 255}) {
        backend.reportMode(mode);
        const int opensBefore = backend.counts.opens;
        control.refresh();
        EXPECT_EQ(control.panel.status, "Vide") << mode;
        EXPECT_EQ(control.panel.drive, "") << mode;
        EXPECT_EQ(control.panel.tracks, "") << mode;
        EXPECT_TRUE(control.noDisc) << mode;
        EXPECT_EQ(backend.counts.opens, opensBefore + 1) << mode;
    }
    // Once the drive answers sensibly again, the panel comes back.
    backend.reportMode(-1);
    control.refresh();
    EXPECT_EQ(control.panel.status, "Arrêté");
    EXPECT_FALSE(control.noDisc);
}

} // namespace
