#include "SoundOutput.h"
#include "PrivateSoundServer.h"
#include "TestWave.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Far above any real answer and far below a hang: what "at once" means in these tests.
constexpr long kPromptMs = 2000;

long msSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

class ScratchFolder {
public:
    ScratchFolder() {
        char pattern[] = "/tmp/bramidou-sound-test.XXXXXX";
        path_ = mkdtemp(pattern) ? pattern : "/tmp";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Files that exist in some form but hold nothing the sound server could play.
struct UnplayableCase {
    const char* name;
    void (*make)(const std::string& path);
};

const UnplayableCase kUnplayable[] = {
    {"missing", [](const std::string&) {}},
    {"empty", [](const std::string& p) { writeBytes(p, ""); }},
    {"text", [](const std::string& p) { writeBytes(p, "not a sound at all\r\n"); }},
    {"truncated_header",
     [](const std::string& p) { writeBytes(p, std::string("RIFF\x24\0\0\0WAVEfmt ", 16)); }},
    {"no_frames",
     [](const std::string& p) {
         writeTestWave(p, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 0, 0);
     }},
    {"folder", [](const std::string& p) { fs::create_directory(p); }},
    {"absurd_channel_count",
     [](const std::string& p) {
         // A valid header naming 255 channels: libsndfile reads it, no server plays it.
         writeTestWave(p, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 50, 50);
         std::fstream f(p, std::ios::in | std::ios::out | std::ios::binary);
         f.seekp(22);
         f.put('\xff');
     }},
};

class NoSoundServer : public ::testing::Test {
protected:
    void SetUp() override {
        const char* old = std::getenv("PULSE_SERVER");
        if (old)
            saved_ = old;
        hadServer_ = old != nullptr;
        setenv("PULSE_SERVER", "unix:/nonexistent/bramidou/native", 1);
        ASSERT_TRUE(writeTestWave(wave_, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 200, 200));
    }
    void TearDown() override {
        if (hadServer_)
            setenv("PULSE_SERVER", saved_.c_str(), 1);
        else
            unsetenv("PULSE_SERVER");
    }

    ScratchFolder folder_;
    std::string wave_ = folder_.file("tone.wav");
    std::string saved_;
    bool hadServer_ = false;
};

TEST_F(NoSoundServer, CountsNoDeviceAndRefusesToPlayPromptly) {
    SoundOutput sound;
    const auto start = Clock::now();
    EXPECT_EQ(sound.waveOutputDeviceCount(), 0);
    EXPECT_FALSE(sound.playWaveSync(wave_));
    // A walk makes one call per square: every one of them must come back at once.
    for (int step = 0; step < 20; ++step)
        EXPECT_FALSE(sound.playWaveSync(wave_));
    EXPECT_LT(msSince(start), kPromptMs);
}

TEST_F(NoSoundServer, PlayingFirstThenCountingStillSaysNone) {
    SoundOutput sound;
    EXPECT_FALSE(sound.playWaveSync(wave_));
    EXPECT_EQ(sound.waveOutputDeviceCount(), 0);
}

// One daemon for the suite: starting it costs about a second.
class WithSoundServer : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (PrivateSoundServer::installed())
            server_ = std::make_unique<PrivateSoundServer>();
    }
    static void TearDownTestSuite() { server_.reset(); }
    void SetUp() override {
        if (!PrivateSoundServer::installed())
            GTEST_SKIP() << "pulseaudio is not installed (scripts/install-deps.sh installs it)";
        ASSERT_TRUE(server_->running()) << server_->failure();
        setenv("PULSE_SERVER", server_->address().c_str(), 1);
    }

    // A null sink without any stream idles with a two-second block and only takes a new
    // stream in at its end; real devices rewind at once. The first play of an output
    // pays that once, so timings are taken from the second on.
    void warmUp(SoundOutput& sound) {
        const std::string path = folder_.file("warm.wav");
        ASSERT_TRUE(writeTestWave(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 20, 20));
        ASSERT_TRUE(sound.playWaveSync(path));
    }

    static std::unique_ptr<PrivateSoundServer> server_;
    ScratchFolder folder_;
};

std::unique_ptr<PrivateSoundServer> WithSoundServer::server_;

TEST_F(WithSoundServer, CountsTheNullSinkOnce) {
    SoundOutput sound;
    EXPECT_EQ(sound.waveOutputDeviceCount(), 1);
    // The count is asked again at every settings read; it must not drift.
    EXPECT_EQ(sound.waveOutputDeviceCount(), 1);
}

TEST_F(WithSoundServer, UnplayableFilesAreRefusedAtOnce) {
    SoundOutput sound;
    for (const auto& c : kUnplayable) {
        SCOPED_TRACE(c.name);
        const std::string path = folder_.file(c.name);
        c.make(path);
        const auto start = Clock::now();
        EXPECT_FALSE(sound.playWaveSync(path));
        EXPECT_LT(msSince(start), kPromptMs);
    }
    // A refused file must not leave the output unusable for the next good one.
    const std::string good = folder_.file("good.wav");
    ASSERT_TRUE(writeTestWave(good, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 50, 50));
    EXPECT_TRUE(sound.playWaveSync(good));
}

struct FormatCase {
    const char* name;
    int format;
    int rate;
    int channels;
};

// Each one is 200 ms long: played at the wrong rate or with the channels confused, it
// would last markedly shorter or longer than that.
const FormatCase kFormats[] = {
    {"pcm16_mono_44100", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1},
    {"pcm16_stereo_48000", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 48000, 2},
    {"float_stereo_22050", SF_FORMAT_WAV | SF_FORMAT_FLOAT, 22050, 2},
    {"pcm_u8_mono_8000", SF_FORMAT_WAV | SF_FORMAT_PCM_U8, 8000, 1},
    {"pcm24_six_channels_96000", SF_FORMAT_WAV | SF_FORMAT_PCM_24, 96000, 6},
    {"flac_mono_44100", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 44100, 1},
    {"aiff_stereo_44100", SF_FORMAT_AIFF | SF_FORMAT_PCM_16, 44100, 2},
};

TEST_F(WithSoundServer, PlaysEachFormatToItsEndWithoutATail) {
    SoundOutput sound;
    warmUp(sound);
    for (const auto& c : kFormats) {
        SCOPED_TRACE(c.name);
        const std::string path = folder_.file(std::string(c.name) + ".snd");
        ASSERT_TRUE(writeTestWave(path, c.format, c.rate, c.channels, 200, 200));
        const auto start = Clock::now();
        EXPECT_TRUE(sound.playWaveSync(path));
        const long ms = msSince(start);
        RecordProperty(c.name, std::to_string(ms) + " ms");
        std::printf("200 ms of %s played in %ld ms\n", c.name, ms);
        // Synchronous: not before the sound is over; and no long buffer heard as a pause
        // after each step of a walk.
        EXPECT_GE(ms, 190);
        EXPECT_LT(ms, 300);
    }
}

TEST_F(WithSoundServer, BackToBackPlaysEachLastTheirOwnLength) {
    SoundOutput sound;
    warmUp(sound);
    const std::string path = folder_.file("step.wav");
    ASSERT_TRUE(writeTestWave(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 200, 40));
    const auto start = Clock::now();
    for (int step = 0; step < 3; ++step)
        ASSERT_TRUE(sound.playWaveSync(path));
    const long ms = msSince(start);
    std::printf("three 200 ms steps took %ld ms\n", ms);
    EXPECT_GE(ms, 3 * 190);
    EXPECT_LT(ms, 3 * 300);
}

// A daemon per test: these ones stop or freeze it.
class FailingSoundServer : public ::testing::Test {
protected:
    void SetUp() override {
        if (!PrivateSoundServer::installed())
            GTEST_SKIP() << "pulseaudio is not installed (scripts/install-deps.sh installs it)";
        server_ = std::make_unique<PrivateSoundServer>();
        ASSERT_TRUE(server_->running()) << server_->failure();
        ASSERT_TRUE(writeTestWave(wave_, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 44100, 1, 100, 100));
    }

    ScratchFolder folder_;
    std::string wave_ = folder_.file("tone.wav");
    std::unique_ptr<PrivateSoundServer> server_;
};

TEST_F(FailingSoundServer, ServerGoneBetweenPlaysIsReportedNotHung) {
    SoundOutput sound;
    ASSERT_TRUE(sound.playWaveSync(wave_));
    server_->stop();
    const auto start = Clock::now();
    EXPECT_FALSE(sound.playWaveSync(wave_));
    EXPECT_FALSE(sound.playWaveSync(wave_));
    EXPECT_EQ(sound.waveOutputDeviceCount(), 0);
    EXPECT_LT(msSince(start), kPromptMs);
}

TEST_F(FailingSoundServer, AServerRestartedBetweenStepsIsUsedAtOnce) {
    SoundOutput sound;
    ASSERT_TRUE(sound.playWaveSync(wave_));
    server_ = std::make_unique<PrivateSoundServer>();
    ASSERT_TRUE(server_->running()) << server_->failure();
    EXPECT_TRUE(sound.playWaveSync(wave_));
}

TEST_F(FailingSoundServer, FrozenServerCostsABoundedWait) {
    SoundOutput sound;
    server_->freeze();
    const auto start = Clock::now();
    EXPECT_FALSE(sound.playWaveSync(wave_));
    EXPECT_EQ(sound.waveOutputDeviceCount(), 0);
    // The second step of a walk must not pay the wait again.
    const auto second = Clock::now();
    EXPECT_FALSE(sound.playWaveSync(wave_));
    EXPECT_LT(msSince(second), 100);
    EXPECT_LT(msSince(start), 2 * kPromptMs);
    server_->thaw();
}

TEST_F(FailingSoundServer, AServerStartedLaterIsFoundByANewOutput) {
    server_->stop();
    {
        SoundOutput before;
        EXPECT_EQ(before.waveOutputDeviceCount(), 0);
    }
    server_ = std::make_unique<PrivateSoundServer>();
    ASSERT_TRUE(server_->running()) << server_->failure();
    SoundOutput after;
    EXPECT_EQ(after.waveOutputDeviceCount(), 1);
    EXPECT_TRUE(after.playWaveSync(wave_));
}

} // namespace
