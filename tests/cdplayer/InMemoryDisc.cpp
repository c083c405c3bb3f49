#include "InMemoryDisc.h"

#include "CdError.h"
#include "CdTime.h"

#include <algorithm>

class InMemoryDrive : public CdDrive {
public:
    InMemoryDrive(InMemoryBackend& backend, const InMemoryBackend::Slot& slot)
        : backend_(backend), canEject_(slot.canEject) {
        if (!slot.trackSeconds.empty())
            transport.insert(InMemoryBackend::tocOf(slot.trackSeconds));
        ++backend_.counts.live;
        backend_.open_.push_back(this);
    }
    ~InMemoryDrive() override {
        --backend_.counts.live;
        backend_.open_.erase(std::find(backend_.open_.begin(), backend_.open_.end(), this));
        if (backend_.lastOpened == &transport)
            backend_.lastOpened = nullptr;
    }

    bool canEject() const override { return canEject_; }
    DriveMode mode() override {
        return backend_.forcedMode_ >= 0 ? DriveMode(backend_.forcedMode_) : transport.mode();
    }
    DiscToc toc() override { return transport.toc(); }
    int position() override { return transport.position(); }
    int play(std::optional<int> from) override { return transport.play(from); }
    int pause() override { return transport.pause(); }
    int resume() override { return transport.resume(); }
    int stop() override { return transport.stop(); }
    int seek(int frame) override { return transport.seek(frame); }
    int eject() override {
        ++backend_.counts.ejects;
        transport.remove(DriveMode::DoorOpen);
        return CdError::none;
    }

    void advance(int ms) {
        if (transport.mode() != DriveMode::Playing) {
            pending_ = 0;
            return;
        }
        // Whole frames only; the rest of a frame waits for the next step.
        pending_ += ms * CdTime::framesPerSecond;
        const int frames = pending_ / 1000;
        pending_ %= 1000;
        transport.heard(transport.generation(), transport.position() + frames);
    }

    DiscTransport transport;

private:
    InMemoryBackend& backend_;
    bool canEject_;
    int pending_ = 0;
};

DiscToc InMemoryBackend::tocOf(const std::vector<int>& trackSeconds) {
    DiscToc toc;
    int frame = 2 * CdTime::framesPerSecond;
    for (int seconds : trackSeconds) {
        toc.trackStarts.push_back(frame);
        frame += seconds * CdTime::framesPerSecond;
    }
    toc.leadOut = frame;
    return toc;
}

void InMemoryBackend::advance(int ms) {
    // The clock moves in small steps, as a playing drive reports what it has heard.
    for (int elapsed = 0; elapsed < ms; elapsed += 10)
        for (InMemoryDrive* drive : open_)
            drive->advance(std::min(10, ms - elapsed));
}

std::vector<DriveEntry> InMemoryBackend::drives() {
    std::vector<DriveEntry> entries;
    for (const Slot& slot : slots_)
        entries.push_back(slot.entry);
    return entries;
}

std::unique_ptr<CdDrive> InMemoryBackend::open(const std::string& element, int& error) {
    ++counts.opens;
    for (const Slot& slot : slots_) {
        if (slot.entry.element != element)
            continue;
        if (!slot.opens)
            break;
        auto drive = std::make_unique<InMemoryDrive>(*this, slot);
        lastOpened = &drive->transport;
        error = CdError::none;
        return drive;
    }
    error = CdError::noDevice;
    return nullptr;
}
