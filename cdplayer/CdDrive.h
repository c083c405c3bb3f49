#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

// What a drive is doing, numbered as the device reports its modes.
enum class DriveMode {
    NotReady = 0,
    Stopped = 1,
    Playing = 2,
    Seeking = 4,
    Paused = 5,
    DoorOpen = 6
};

// The table of contents: where each track starts and where the disc ends, in frames from
// the start of the disc.
struct DiscToc {
    std::vector<int> trackStarts; // track n starts at trackStarts[n - 1]
    int leadOut = 0;

    int trackCount() const { return int(trackStarts.size()); }
    int firstFrame() const { return trackStarts.empty() ? 0 : trackStarts.front(); }
    // The track that holds the frame; the end of the disc belongs to the last track.
    int trackAt(int frame) const;
    int trackEnd(int track) const;
};

// One opened drive or disc image. Positions are frames from the start of the disc; the
// commands return a CdError code. Play and resume start playback and return at once.
class CdDrive {
public:
    virtual ~CdDrive() = default;

    virtual bool canEject() const = 0;
    virtual DriveMode mode() = 0;
    // Empty when there is no disc.
    virtual DiscToc toc() = 0;
    // The frame the listener hears now.
    virtual int position() = 0;

    // From the given frame, or from the current position.
    virtual int play(std::optional<int> from) = 0;
    virtual int pause() = 0;
    virtual int resume() = 0;
    virtual int stop() = 0;
    // Stops playback and moves to the frame (the end of the disc included).
    virtual int seek(int frame) = 0;
    virtual int eject() = 0;
};

// A drive the search may try: what to open, and the short name the player shows.
struct DriveEntry {
    std::string element;
    std::string shortName;
};

// Where drives come from: the machine's devices and the configured disc images.
class CdBackend {
public:
    virtual ~CdBackend() = default;
    // In search order: the one tried first wins when it holds a usable disc.
    virtual std::vector<DriveEntry> drives() = 0;
    // Opens the element; on failure gives nothing and sets the CdError code.
    virtual std::unique_ptr<CdDrive> open(const std::string& element, int& error) = 0;
};
