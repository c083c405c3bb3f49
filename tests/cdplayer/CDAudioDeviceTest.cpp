#include "CDAudioDevice.h"
#include "CdError.h"
#include "CdTime.h"
#include "InMemoryDisc.h"

#include <gtest/gtest.h>

#include <functional>

using namespace CdTime;

namespace {

constexpr int kPlaying = 2;
constexpr int kStopped = 1;
constexpr int kPaused = 5;

// Six tracks of different lengths on one drive that can eject.
struct DeviceOnDisc {
    InMemoryBackend backend;
    CDAudioDevice device{backend};

    explicit DeviceOnDisc(std::vector<int> seconds = {200, 185, 241, 90, 305, 122},
                          bool canEject = true) {
        backend.add({{"/dev/sr0", "sr0"}, seconds, canEject});
        device.FileName = "/dev/sr0";
        device.Open();
    }

    // Moves to a place given as track, minutes and seconds.
    void placeAt(int track, int minutes, int seconds, int frames = 0) {
        device.SetTimeFormat(formatTmsf);
        device.SeekTo(packTmsf(track, minutes, seconds, frames));
        ASSERT_EQ(device.LastError(), 0);
    }
    void playAt(int track, int minutes, int seconds, int frames = 0) {
        placeAt(track, minutes, seconds, frames);
        device.Play();
        ASSERT_EQ(device.QueryMode(), kPlaying);
    }
};

TEST(CDAudioDeviceTest, OperationsThatNeedAnOpenDeviceRaiseWithoutOne) {
    InMemoryBackend backend;
    CDAudioDevice device(backend);
    const std::pair<const char*, std::function<void()>> checked[] = {
        {"QueryLength", [&] { device.QueryLength(); }},
        {"QueryTrackCount", [&] { device.QueryTrackCount(); }},
        {"QueryTrackLength", [&] { device.QueryTrackLength(1); }},
        {"QueryTimeFormat", [&] { device.QueryTimeFormat(); }},
        {"Play", [&] { device.Play(); }},
        {"Pause", [&] { device.Pause(); }},
        {"Resume", [&] { device.Resume(); }},
        {"TogglePause", [&] { device.TogglePause(); }},
        {"Stop", [&] { device.Stop(); }},
        {"SeekToStart", [&] { device.SeekToStart(); }},
        {"SeekTo", [&] { device.SeekTo(0); }},
        {"NextTrack", [&] { device.NextTrack(); }},
        {"PreviousTrack", [&] { device.PreviousTrack(); }},
        {"Eject", [&] { device.Eject(); }},
    };
    for (const auto& [name, call] : checked) {
        try {
            call();
            ADD_FAILURE() << name << " did not raise";
        } catch (const EMCIDeviceError& error) {
            EXPECT_STREQ(error.what(), "Aucun périphérique MCI ouvert") << name;
        }
    }
    // The queries without the check answer and record a refusal instead.
    EXPECT_EQ(device.QueryMode(), 0);
    EXPECT_NE(device.LastError(), 0);
    EXPECT_EQ(device.QueryPosition(), 0u);
    EXPECT_EQ(device.QueryTrackStart(1), 0u);
    device.SetTimeFormat(formatMilliseconds);
    EXPECT_NE(device.LastError(), 0);
    EXPECT_EQ(backend.counts.opens, 0);
}

TEST(CDAudioDeviceTest, AFailedOpeningRaisesTheErrorTextAndLeavesTheDeviceClosed) {
    InMemoryBackend backend;
    backend.add({{"/dev/sr0", "sr0"}, {60, 60}, true, false});
    CDAudioDevice device(backend);
    for (const char* element : {"c:", "/dev/sr0"}) {
        device.FileName = element;
        try {
            device.Open();
            ADD_FAILURE() << element << " opened";
        } catch (const EMCIDeviceError& error) {
            EXPECT_EQ(error.what(), device.ErrorText()) << element;
            EXPECT_NE(device.LastError(), 0) << element;
        }
        EXPECT_FALSE(device.IsOpen());
        EXPECT_EQ(device.DeviceID(), 0);
    }
}

TEST(CDAudioDeviceTest, OpeningClosesThePreviousDeviceAndStartsInTheTrackFormat) {
    DeviceOnDisc disc;
    EXPECT_TRUE(disc.device.IsOpen());
    EXPECT_NE(disc.device.DeviceID(), 0);
    EXPECT_TRUE(disc.device.CanEject());
    disc.device.SetTimeFormat(formatMilliseconds);
    const auto first = disc.device.DeviceID();
    disc.device.Open();
    EXPECT_EQ(disc.backend.counts.live, 1);
    EXPECT_NE(disc.device.DeviceID(), first);
    EXPECT_EQ(disc.device.QueryTimeFormat(), formatTmsf);
    disc.device.Close();
    EXPECT_EQ(disc.backend.counts.live, 0);
    EXPECT_EQ(disc.device.DeviceID(), 0);
    disc.device.Close(); // nothing to close: no harm
}

TEST(CDAudioDeviceTest, PositionsAndLengthsArePackedInTheCurrentFormat) {
    DeviceOnDisc disc;
    disc.placeAt(3, 1, 5, 17);
    EXPECT_EQ(disc.device.QueryPosition(), packTmsf(3, 1, 5, 17));
    EXPECT_EQ(disc.device.QueryPosition(), 0x11050103u);
    // Track 3 lasts 241 s: 4 minutes 1 second, in MSF.
    EXPECT_EQ(disc.device.QueryTrackLength(3), packMsf(4, 1, 0));
    EXPECT_EQ(disc.device.QueryTrackStart(4), packTmsf(4, 0, 0, 0));
    EXPECT_EQ(disc.device.QueryTrackCount(), 6);

    disc.device.SetTimeFormat(formatMilliseconds);
    // Tracks 1 and 2 (385 s), then 65 s and 17 frames into track 3.
    EXPECT_EQ(disc.device.QueryPosition(), (385u + 65u) * 1000u + 17u * 1000u / 75u);
    EXPECT_EQ(disc.device.QueryTrackLength(3), 241000u);
    EXPECT_EQ(disc.device.QueryTrackStart(2), 200000u);
    EXPECT_EQ(disc.device.QueryLength(), 1143000u);

    disc.device.SetTimeFormat(99);
    EXPECT_EQ(disc.device.LastError(), CdError::badTimeFormat);
    EXPECT_EQ(disc.device.QueryTimeFormat(), formatMilliseconds);
    EXPECT_EQ(disc.device.QueryTrackLength(7), 0u);
    EXPECT_EQ(disc.device.LastError(), CdError::outOfRange);
}

struct TrackCase {
    const char* name;
    int track, minutes, seconds, frames;
    bool playing;
    bool next;
    int targetTrack;
};

class TrackNavigationTest : public testing::TestWithParam<TrackCase> {};

TEST_P(TrackNavigationTest, GoesToTheStartOfTheRightTrack) {
    const TrackCase& c = GetParam();
    DeviceOnDisc disc;
    if (c.playing)
        disc.playAt(c.track, c.minutes, c.seconds, c.frames);
    else
        disc.placeAt(c.track, c.minutes, c.seconds, c.frames);
    if (c.next)
        disc.device.NextTrack();
    else
        disc.device.PreviousTrack();
    EXPECT_EQ(disc.device.LastError(), 0);
    EXPECT_EQ(disc.device.QueryPosition(), packTmsf(c.targetTrack, 0, 0, 0));
    EXPECT_EQ(disc.device.QueryMode(), c.playing ? kPlaying : kStopped);
    // Playing goes on from the new place, and a later Play has nothing pending.
    disc.backend.advance(1000);
    const int secondsIn = c.playing ? 1 : 0;
    EXPECT_EQ(disc.device.QueryPosition(), packTmsf(c.targetTrack, 0, secondsIn, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrackNavigationTest,
    testing::Values(TrackCase{"NextOnTheLastTrackStaysOnIt", 6, 1, 0, 0, false, true, 6},
                    TrackCase{"NextWhileStopped", 2, 0, 30, 0, false, true, 3},
                    TrackCase{"NextWhilePlaying", 2, 0, 30, 0, true, true, 3},
                    TrackCase{"NextWhilePlayingTheLastTrack", 6, 0, 4, 0, true, true, 6},
                    TrackCase{"PreviousOnTrackOne", 1, 2, 10, 0, false, false, 1},
                    TrackCase{"PreviousAtTheStartOfTrackOne", 1, 0, 0, 40, false, false, 1},
                    TrackCase{"PreviousThreeSecondsIn", 5, 0, 3, 0, false, false, 5},
                    TrackCase{"PreviousWithinTheFirstSecond", 5, 0, 0, 74, false, false, 4},
                    TrackCase{"PreviousAtTheVeryStart", 5, 0, 0, 0, false, false, 4},
                    TrackCase{"PreviousThreeSecondsInWhilePlaying", 5, 0, 3, 0, true, false, 5},
                    TrackCase{"PreviousWithinTheFirstSecondWhilePlaying", 5, 0, 0, 10, true, false,
                              4}),
    [](const testing::TestParamInfo<TrackCase>& info) { return info.param.name; });

TEST(CDAudioDeviceTest, OutsideTheTrackFormatTrackStepsGoToTheEndsOfTheDisc) {
    DeviceOnDisc disc;
    disc.placeAt(3, 0, 10);
    disc.device.SetTimeFormat(formatMilliseconds);
    disc.device.NextTrack();
    EXPECT_EQ(disc.device.QueryPosition(), disc.device.QueryLength());
    disc.device.PreviousTrack();
    EXPECT_EQ(disc.device.QueryPosition(), 0u);
}

TEST(CDAudioDeviceTest, PlayAtTheEndOfTheDiscStartsAgainFromTheBeginning) {
    for (int format : {formatMilliseconds, formatTmsf}) {
        DeviceOnDisc disc({20, 30});
        disc.device.Play();
        disc.backend.advance(60000);
        // The end of the disc stops it there.
        EXPECT_EQ(disc.device.QueryMode(), kStopped);
        disc.device.SetTimeFormat(formatMilliseconds);
        EXPECT_EQ(disc.device.QueryPosition(), disc.device.QueryLength());
        disc.device.SetTimeFormat(format);
        disc.device.Play();
        EXPECT_EQ(disc.device.QueryMode(), kPlaying) << format;
        disc.device.SetTimeFormat(formatMilliseconds);
        EXPECT_EQ(disc.device.QueryPosition(), 0u) << format;
    }
}

TEST(CDAudioDeviceTest, WithoutAutoRewindPlayAtTheEndStaysThere) {
    DeviceOnDisc disc({20, 30});
    disc.device.AutoRewind = false;
    disc.device.SetTimeFormat(formatMilliseconds);
    disc.device.SeekTo(disc.device.QueryLength());
    disc.device.Play();
    EXPECT_EQ(disc.device.QueryMode(), kStopped);
    EXPECT_EQ(disc.device.QueryPosition(), 50000u);
}

TEST(CDAudioDeviceTest, EjectSendsNothingToADriveThatCannotEject) {
    for (bool canEject : {false, true}) {
        DeviceOnDisc disc({20, 30}, canEject);
        disc.device.Play();
        disc.device.Eject();
        EXPECT_EQ(disc.backend.counts.ejects, canEject ? 1 : 0);
        EXPECT_EQ(disc.device.QueryMode(), canEject ? 6 : kPlaying);
    }
}

TEST(CDAudioDeviceTest, TogglePauseActsOnlyWhilePlayingOrPaused) {
    DeviceOnDisc disc;
    disc.device.TogglePause();
    EXPECT_EQ(disc.device.QueryMode(), kStopped);
    disc.device.Play();
    disc.backend.advance(2000);
    disc.device.TogglePause();
    EXPECT_EQ(disc.device.QueryMode(), kPaused);
    const auto paused = disc.device.QueryPosition();
    disc.backend.advance(3000);
    EXPECT_EQ(disc.device.QueryPosition(), paused);
    disc.device.TogglePause();
    EXPECT_EQ(disc.device.QueryMode(), kPlaying);
    EXPECT_EQ(disc.device.QueryPosition(), paused);
}

TEST(CDAudioDeviceTest, AResumeTheDeviceRefusesEndsInPlay) {
    DeviceOnDisc disc;
    disc.placeAt(2, 0, 40);
    disc.device.Resume();
    EXPECT_EQ(disc.device.QueryMode(), kPlaying);
    EXPECT_EQ(disc.device.LastError(), 0);
    EXPECT_EQ(disc.device.QueryPosition(), packTmsf(2, 0, 40, 0));
}

TEST(CDAudioDeviceTest, SeekingInMillisecondsMovesByWholeFramesAndRefusesOffTheDisc) {
    DeviceOnDisc disc;
    disc.placeAt(1, 0, 3, 20);
    disc.device.SetTimeFormat(formatMilliseconds);
    const std::uint32_t start = disc.device.QueryPosition();
    disc.device.SeekTo(start + 5000);
    EXPECT_EQ(disc.device.LastError(), 0);
    disc.device.SetTimeFormat(formatTmsf);
    EXPECT_EQ(disc.device.QueryPosition(), packTmsf(1, 0, 8, 20));

    disc.device.SetTimeFormat(formatMilliseconds);
    const std::uint32_t here = disc.device.QueryPosition();
    for (std::uint32_t target : {here - 10000u, disc.device.QueryLength() + 1000u, 0xFFFFFFFFu}) {
        disc.device.SeekTo(target);
        EXPECT_EQ(disc.device.LastError(), CdError::outOfRange) << target;
        EXPECT_EQ(disc.device.QueryPosition(), here) << target;
    }
    disc.device.SetTimeFormat(formatTmsf);
    for (std::uint32_t target :
         {packTmsf(0, 0, 0, 0), packTmsf(7, 0, 0, 0), packTmsf(6, 2, 3, 0)}) {
        disc.device.SeekTo(target);
        EXPECT_EQ(disc.device.LastError(), CdError::outOfRange) << std::hex << target;
    }
}

TEST(CDAudioDeviceTest, AnEmptyDriveCountsNoTracksAndRefusesToPlay) {
    InMemoryBackend backend;
    backend.add({{"/dev/sr0", "sr0"}, {}, true});
    CDAudioDevice device(backend);
    device.FileName = "/dev/sr0";
    device.Open();
    EXPECT_EQ(device.QueryTrackCount(), 0);
    EXPECT_EQ(device.QueryMode(), 0);
    device.Play();
    EXPECT_EQ(device.LastError(), CdError::noDisc);
    device.NextTrack();
    device.PreviousTrack();
    EXPECT_EQ(device.QueryMode(), 0);
}

TEST(CDAudioDeviceTest, EveryCodeHasAText) {
    for (int code = 0; code <= CdError::driveFailure; ++code)
        EXPECT_NE(CdError::text(code), "Code d'erreur inconnu") << code;
    EXPECT_EQ(CdError::text(CdError::driveFailure + 1), "Code d'erreur inconnu");
    EXPECT_EQ(CdError::text(-3), "Code d'erreur inconnu");
}

} // namespace
