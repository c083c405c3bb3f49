#include "CdDisplay.h"
#include "CdPlayerControl.h"
#include "CdTime.h"
#include "CdioBackend.h"
#include "PrivateSoundServer.h"
#include "SinkRecorder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

using namespace CdTime;

namespace {

namespace fs = std::filesystem;

// The three tones lie far apart; a short gap of a loaded machine in the recording lowers
// the count of zero crossings a little, never to the next tone.
constexpr double kToneTolerance = 0.1;

void sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The disc images of these tests, made once with sox: three tracks of 20 s with tones of
// 440, 660 and 990 Hz; a disc of two 2-second tracks; one single-track disc.
class Images {
public:
    Images() {
        char pattern[] = "/tmp/bramidou-cd-test.XXXXXX";
        folder_ = mkdtemp(pattern) ? pattern : "/tmp";
        const char* data = std::getenv("BRAMIDOU_TEST_DATA");
        const std::string script = std::string(data ? data : ".") + "/make_disc_image.sh";
        ok_ = make(script, "three", "20 440 660 990") && make(script, "short", "2 440 660") &&
              make(script, "single", "30 550");
    }
    ~Images() {
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }
    bool ok() const { return ok_; }
    std::string cue(const std::string& name) const { return folder_ + "/" + name + ".cue"; }

private:
    bool make(const std::string& script, const std::string& name, const std::string& args) {
        const std::string command = "bash '" + script + "' '" + folder_ + "' " + name + " " + args;
        return std::system(command.c_str()) == 0;
    }

    std::string folder_;
    bool ok_ = false;
};

class CdioPlaybackTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        images_ = std::make_unique<Images>();
        if (PrivateSoundServer::installed())
            server_ = std::make_unique<PrivateSoundServer>();
    }
    static void TearDownTestSuite() {
        server_.reset();
        images_.reset();
    }
    void SetUp() override {
        ASSERT_TRUE(images_->ok()) << "sox could not make the disc images";
        if (!server_)
            GTEST_SKIP() << "pulseaudio is not installed (scripts/install-deps.sh installs it)";
        ASSERT_TRUE(server_->running()) << server_->failure();
        setenv("PULSE_SERVER", server_->address().c_str(), 1);
        unsetenv("BRAMIDOU_CD_IMAGES");
        recorder_ = std::make_unique<SinkRecorder>();
        ASSERT_TRUE(recorder_->running());
    }
    void TearDown() override { recorder_.reset(); }

    // The tone of the last half second heard.
    double toneNow() {
        const std::size_t end = recorder_->size();
        return recorder_->toneBetween(end - SinkRecorder::rate / 2, end);
    }
    // The tone once it is heard: an idle null sink takes up to two seconds to take a new
    // stream in (a real device starts at once), so the first sound may come late.
    double toneSoon(double expected) {
        double tone = 0;
        for (int wait = 0; wait < 40; ++wait) {
            tone = toneNow();
            if (std::abs(tone - expected) < expected * kToneTolerance)
                break;
            sleepMs(100);
        }
        return tone;
    }

    static std::unique_ptr<Images> images_;
    static std::unique_ptr<PrivateSoundServer> server_;
    std::unique_ptr<SinkRecorder> recorder_;
};

std::unique_ptr<Images> CdioPlaybackTest::images_;
std::unique_ptr<PrivateSoundServer> CdioPlaybackTest::server_;

TEST_F(CdioPlaybackTest, TheToneHeardIsTheTrackShownAndFollowsTheTrackSteps) {
    CdioBackend backend(images_->cue("three"));
    CdPlayerControl control(backend);
    ASSERT_FALSE(control.noDisc);
    EXPECT_EQ(control.panel.drive, "Img1 ");
    control.play();
    EXPECT_NEAR(toneSoon(440), 440, 440 * kToneTolerance);
    control.refresh();
    EXPECT_EQ(control.panel.currentTrack, "1 ");
    EXPECT_EQ(control.panel.tracks, "3 ");
    EXPECT_EQ(control.panel.trackTime, "0 mn 20 s ");

    control.nextTrack();
    sleepMs(1000);
    EXPECT_NEAR(toneNow(), 660, 660 * kToneTolerance);
    control.refresh();
    EXPECT_EQ(control.panel.currentTrack, "2 ");
    control.nextTrack();
    EXPECT_NEAR(toneSoon(990), 990, 990 * kToneTolerance);
    sleepMs(1200);
    control.previousTrack();
    sleepMs(1000);
    EXPECT_NEAR(toneNow(), 990, 990 * kToneTolerance)
        << "more than a second into track 3 goes to its start";
    control.refresh();
    EXPECT_EQ(control.panel.currentTrack, "3 ");
}

TEST_F(CdioPlaybackTest, PauseIsSilentWithinATenthOfASecondAndResumeGoesOn) {
    CdioBackend backend(images_->cue("three"));
    CdPlayerControl control(backend);
    control.play();
    ASSERT_NEAR(toneSoon(440), 440, 440 * kToneTolerance);
    const std::size_t paused = recorder_->size();
    control.togglePause();
    sleepMs(600);
    const std::size_t lastSound = recorder_->lastSoundAfter(paused);
    std::printf("sound after the pause: %zu ms\n",
                (lastSound - paused) * 1000 / SinkRecorder::rate);
    EXPECT_LE(lastSound - paused, std::size_t(SinkRecorder::rate / 10))
        << "sound went on " << (lastSound - paused) * 1000 / SinkRecorder::rate << " ms";
    EXPECT_EQ(recorder_->toneBetween(recorder_->size() - SinkRecorder::rate / 4, recorder_->size()),
              0);
    control.togglePause();
    sleepMs(800);
    EXPECT_NEAR(toneNow(), 440, 440 * kToneTolerance);
}

TEST_F(CdioPlaybackTest, AStepOfFiveSecondsMovesThePositionByFiveSeconds) {
    CdioBackend backend(images_->cue("three"));
    CdPlayerControl control(backend);
    CDAudioDevice& device = control.mediaCDPlayer;
    control.play();
    ASSERT_NEAR(toneSoon(440), 440, 440 * kToneTolerance);
    device.SetTimeFormat(formatMilliseconds);
    // Paused, the position stands still and the step is exact.
    device.Pause();
    const std::uint32_t before = device.QueryPosition();
    control.step(5000);
    device.Pause();
    EXPECT_NEAR(double(device.QueryPosition()), double(before + 5000), 1000.0 / 75);
    // Track 1 lasts 20 s: 15 s in it still is, and a step past its end changes the tone.
    device.Resume();
    device.SetTimeFormat(formatMilliseconds);
    device.SeekTo(18000);
    device.Play();
    control.step(5000);
    sleepMs(1000);
    EXPECT_NEAR(toneNow(), 660, 660 * kToneTolerance);
    device.SetTimeFormat(formatTmsf);
    EXPECT_EQ(tmsfTrack(device.QueryPosition()), 2);
}

TEST_F(CdioPlaybackTest, TheEndOfTheDiscStopsThereAndPlayStartsAgain) {
    CdioBackend backend(images_->cue("short"));
    CdPlayerControl control(backend);
    control.play();
    sleepMs(5000);
    CDAudioDevice& device = control.mediaCDPlayer;
    EXPECT_EQ(device.QueryMode(), 1);
    device.SetTimeFormat(formatMilliseconds);
    EXPECT_EQ(device.QueryPosition(), device.QueryLength());
    EXPECT_EQ(recorder_->toneBetween(recorder_->size() - SinkRecorder::rate / 2, recorder_->size()),
              0);
    control.play();
    sleepMs(800);
    EXPECT_NEAR(toneNow(), 440, 440 * kToneTolerance);
}

TEST_F(CdioPlaybackTest, ASingleTrackImageOpensButDoesNotQualify) {
    CdioBackend backend(images_->cue("single"));
    CdPlayerControl control(backend);
    EXPECT_TRUE(control.noDisc);
    EXPECT_TRUE(control.mediaCDPlayer.IsOpen());
    EXPECT_EQ(control.mediaCDPlayer.QueryTrackCount(), 1);
    EXPECT_FALSE(control.mediaCDPlayer.CanEject());
    control.refresh();
    EXPECT_EQ(control.panel.status, "Arrêté");
    EXPECT_EQ(control.panel.trackTime, "0 mn 30 s ");
}

TEST_F(CdioPlaybackTest, TheEnvironmentOverridesTheSettingsAndMissingImagesAreSkipped) {
    setenv("BRAMIDOU_CD_IMAGES", (images_->cue("three") + ":/nowhere/lost.cue").c_str(), 1);
    CdioBackend backend("/nowhere/else.cue");
    unsetenv("BRAMIDOU_CD_IMAGES");
    const std::vector<DriveEntry> drives = backend.drives();
    ASSERT_GE(drives.size(), 2u);
    EXPECT_EQ(drives[drives.size() - 2].element, images_->cue("three"));
    EXPECT_EQ(drives.back().shortName, "Img2");
    int error = 0;
    EXPECT_EQ(backend.open("/nowhere/lost.cue", error), nullptr);
    EXPECT_NE(error, 0);
    EXPECT_EQ(backend.open("c:", error), nullptr);
}

TEST(CdioWithoutSoundTest, TheDiscRunsOnTheClockWithoutASoundServer) {
    Images images;
    ASSERT_TRUE(images.ok());
    setenv("PULSE_SERVER", "unix:/nonexistent/bramidou-no-server", 1);
    unsetenv("BRAMIDOU_CD_IMAGES");
    CdioBackend backend(images.cue("three"));
    CdPlayerControl control(backend);
    control.play();
    sleepMs(1500);
    control.refresh();
    EXPECT_EQ(control.panel.status, "Exécution");
    EXPECT_NE(control.panel.elapsed, "0 mn 0 s ");
    control.togglePause();
    control.refresh();
    EXPECT_EQ(control.panel.status, "Pause");
    unsetenv("PULSE_SERVER");
}

} // namespace
