#include "DiscTransport.h"

#include "CdError.h"

#include <algorithm>

void DiscTransport::insert(const DiscToc& toc) {
    toc_ = toc;
    mode_ = DriveMode::Stopped;
    position_ = toc_.firstFrame();
    restart();
}

void DiscTransport::remove(DriveMode why) {
    toc_ = DiscToc{};
    mode_ = why;
    position_ = 0;
    restart();
}

int DiscTransport::refusal() const {
    if (mode_ == DriveMode::DoorOpen)
        return CdError::doorOpen;
    if (!hasDisc())
        return CdError::noDisc;
    return CdError::none;
}

int DiscTransport::play(std::optional<int> from) {
    if (const int error = refusal())
        return error;
    const int start = from.value_or(position_);
    if (start < toc_.firstFrame() || start > toc_.leadOut)
        return CdError::outOfRange;
    // At the very end there is nothing left to hear: the device stays stopped there.
    if (start == toc_.leadOut) {
        mode_ = DriveMode::Stopped;
        position_ = start;
        restart();
        return CdError::none;
    }
    if (mode_ == DriveMode::Playing && start == position_ && !from)
        return CdError::none;
    mode_ = DriveMode::Playing;
    position_ = start;
    restart();
    return CdError::none;
}

int DiscTransport::pause() {
    if (const int error = refusal())
        return error;
    if (mode_ == DriveMode::Playing) {
        mode_ = DriveMode::Paused;
        restart();
    }
    return CdError::none;
}

int DiscTransport::resume() {
    if (const int error = refusal())
        return error;
    if (mode_ != DriveMode::Paused)
        return CdError::notPaused;
    mode_ = DriveMode::Playing;
    restart();
    return CdError::none;
}

int DiscTransport::stop() {
    if (const int error = refusal())
        return error;
    if (mode_ != DriveMode::Stopped) {
        mode_ = DriveMode::Stopped;
        restart();
    }
    return CdError::none;
}

int DiscTransport::seek(int frame) {
    if (const int error = refusal())
        return error;
    if (frame < toc_.firstFrame() || frame > toc_.leadOut)
        return CdError::outOfRange;
    mode_ = DriveMode::Stopped;
    position_ = frame;
    restart();
    return CdError::none;
}

void DiscTransport::heard(unsigned generation, int frame) {
    if (generation != generation_ || mode_ != DriveMode::Playing)
        return;
    position_ = std::clamp(frame, position_, toc_.leadOut);
    if (position_ == toc_.leadOut) {
        mode_ = DriveMode::Stopped;
        restart();
    }
}
