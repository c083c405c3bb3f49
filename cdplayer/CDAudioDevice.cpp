#include "CDAudioDevice.h"

#include "CdError.h"
#include "CdTime.h"

using namespace CdTime;

CDAudioDevice::CDAudioDevice(CdBackend& backend) : backend_(backend) {}

CDAudioDevice::~CDAudioDevice() {
    Close();
}

void CDAudioDevice::checkOpen() const {
    if (!IsOpen())
        throw EMCIDeviceError("Aucun périphérique MCI ouvert");
}

bool CDAudioDevice::record(int result) {
    lastError_ = result;
    return result == CdError::none;
}

bool CDAudioDevice::reachable() {
    return IsOpen() || record(CdError::noDevice);
}

void CDAudioDevice::Open() {
    if (IsOpen())
        Close();
    int error = CdError::none;
    std::unique_ptr<CdDrive> drive = backend_.open(FileName, error);
    if (!drive) {
        record(error == CdError::none ? CdError::openFailed : error);
        throw EMCIDeviceError(ErrorText());
    }
    record(CdError::none);
    drive_ = std::move(drive);
    wDeviceID_ = nextDeviceID_++;
    if (nextDeviceID_ == 0)
        nextDeviceID_ = 1;
    canEject_ = drive_->canEject();
    pendingStart_.reset();
    SetTimeFormat(formatTmsf);
}

void CDAudioDevice::Close() {
    if (wDeviceID_ == 0)
        return;
    drive_.reset();
    wDeviceID_ = 0;
    pendingStart_.reset();
    record(CdError::none);
}

void CDAudioDevice::SetTimeFormat(int format) {
    if (!reachable())
        return;
    if (format != formatMilliseconds && format != formatTmsf) {
        record(CdError::badTimeFormat);
        return;
    }
    timeFormat_ = format;
    record(CdError::none);
}

int CDAudioDevice::QueryMode() {
    // With no device there is nothing to be ready: the player then searches the drives.
    if (!reachable())
        return int(DriveMode::NotReady);
    record(CdError::none);
    return int(drive_->mode());
}

std::uint32_t CDAudioDevice::valueOf(const DiscToc& toc, int frame) const {
    if (timeFormat_ == formatMilliseconds)
        return std::uint32_t(millisecondsOfFrames(frame - toc.firstFrame()));
    if (toc.trackCount() == 0)
        return 0;
    const int track = toc.trackAt(frame);
    const int inTrack = frame - toc.trackStarts[track - 1];
    return packTmsf(track, inTrack / framesPerMinute, inTrack / framesPerSecond % 60,
                    inTrack % framesPerSecond);
}

std::optional<int> CDAudioDevice::frameOf(const DiscToc& toc, std::uint32_t value) const {
    if (toc.trackCount() == 0)
        return std::nullopt;
    std::int64_t frame = 0;
    if (timeFormat_ == formatMilliseconds) {
        // The value travels as 32 bits; a step back before the start wraps round to a
        // huge number, which lies off the disc like any other.
        frame = toc.firstFrame() + framesOfMilliseconds(std::int64_t(value));
    } else {
        const int track = tmsfTrack(value);
        if (track < 1 || track > toc.trackCount())
            return std::nullopt;
        frame = toc.trackStarts[track - 1] + std::int64_t(tmsfMinutes(value)) * framesPerMinute +
                std::int64_t(tmsfSeconds(value)) * framesPerSecond + tmsfFrames(value);
    }
    if (frame < toc.firstFrame() || frame > toc.leadOut)
        return std::nullopt;
    return int(frame);
}

std::uint32_t CDAudioDevice::QueryPosition() {
    if (!reachable())
        return 0;
    const DiscToc toc = drive_->toc();
    if (toc.trackCount() == 0) {
        record(CdError::noDisc);
        return 0;
    }
    record(CdError::none);
    return valueOf(toc, drive_->position());
}

std::uint32_t CDAudioDevice::QueryLength() {
    checkOpen();
    const DiscToc toc = drive_->toc();
    if (!record(toc.trackCount() == 0 ? CdError::noDisc : CdError::none))
        return 0;
    const int frames = toc.leadOut - toc.firstFrame();
    if (timeFormat_ == formatMilliseconds)
        return std::uint32_t(millisecondsOfFrames(frames));
    return msfOfFrames(frames);
}

int CDAudioDevice::QueryTrackCount() {
    checkOpen();
    // An empty or unready drive counts no tracks, so it never qualifies in the search.
    const DiscToc toc = drive_->toc();
    record(toc.trackCount() == 0 ? CdError::noDisc : CdError::none);
    return toc.trackCount();
}

std::uint32_t CDAudioDevice::QueryTrackLength(int track) {
    checkOpen();
    const DiscToc toc = drive_->toc();
    if (track < 1 || track > toc.trackCount()) {
        record(toc.trackCount() == 0 ? CdError::noDisc : CdError::outOfRange);
        return 0;
    }
    record(CdError::none);
    const int frames = toc.trackEnd(track) - toc.trackStarts[track - 1];
    if (timeFormat_ == formatMilliseconds)
        return std::uint32_t(millisecondsOfFrames(frames));
    return msfOfFrames(frames);
}

std::uint32_t CDAudioDevice::QueryTrackStart(int track) {
    if (!reachable())
        return 0;
    const DiscToc toc = drive_->toc();
    if (track < 1 || track > toc.trackCount()) {
        record(toc.trackCount() == 0 ? CdError::noDisc : CdError::outOfRange);
        return 0;
    }
    record(CdError::none);
    return valueOf(toc, toc.trackStarts[track - 1]);
}

int CDAudioDevice::QueryTimeFormat() {
    checkOpen();
    record(CdError::none);
    return timeFormat_;
}

void CDAudioDevice::playFrom(std::optional<int> frame) {
    record(drive_->play(frame));
}

void CDAudioDevice::Play() {
    checkOpen();
    if (pendingStart_) {
        const std::uint32_t start = *pendingStart_;
        pendingStart_.reset();
        const std::optional<int> frame = frameOf(drive_->toc(), start);
        if (!frame) {
            record(CdError::outOfRange);
            return;
        }
        playFrom(frame);
        return;
    }
    // At the end of the disc play starts again from the beginning. The end is compared
    // in frames: in the track format a position and the disc's length are packed
    // differently and would never compare equal.
    if (AutoRewind) {
        const DiscToc toc = drive_->toc();
        if (toc.trackCount() > 0 && drive_->position() == toc.leadOut)
            SeekToStart();
    }
    playFrom(std::nullopt);
}

void CDAudioDevice::Pause() {
    checkOpen();
    record(drive_->pause());
}

void CDAudioDevice::Resume() {
    checkOpen();
    if (!record(drive_->resume()))
        Play();
}

void CDAudioDevice::TogglePause() {
    checkOpen();
    const DriveMode mode = drive_->mode();
    if (mode == DriveMode::Playing)
        Pause();
    else if (mode == DriveMode::Paused)
        Resume();
}

void CDAudioDevice::Stop() {
    checkOpen();
    record(drive_->stop());
}

void CDAudioDevice::seekFrame(int frame) {
    record(drive_->seek(frame));
}

void CDAudioDevice::SeekToStart() {
    checkOpen();
    seekFrame(drive_->toc().firstFrame());
}

void CDAudioDevice::SeekTo(std::uint32_t position) {
    checkOpen();
    const std::optional<int> frame = frameOf(drive_->toc(), position);
    if (!frame) {
        record(drive_->toc().trackCount() == 0 ? CdError::noDisc : CdError::outOfRange);
        return;
    }
    seekFrame(*frame);
}

void CDAudioDevice::NextTrack() {
    checkOpen();
    if (QueryTimeFormat() != formatTmsf) {
        seekFrame(drive_->toc().leadOut);
        return;
    }
    const int track = tmsfTrack(QueryPosition());
    const int target = track == QueryTrackCount() ? track : track + 1;
    const std::uint32_t start = QueryTrackStart(target);
    if (QueryMode() == int(DriveMode::Playing)) {
        pendingStart_ = start;
        Play();
    } else {
        SeekTo(start);
    }
}

void CDAudioDevice::PreviousTrack() {
    checkOpen();
    if (QueryTimeFormat() != formatTmsf) {
        SeekToStart();
        return;
    }
    const std::uint32_t position = QueryPosition();
    const int track = tmsfTrack(position);
    const std::uint32_t start = QueryTrackStart(track);
    std::uint32_t target = start;
    if (track != 1 && tmsfMinutes(position) == tmsfMinutes(start) &&
        tmsfSeconds(position) == tmsfSeconds(start))
        target = QueryTrackStart(track - 1);
    if (QueryMode() == int(DriveMode::Playing)) {
        pendingStart_ = target;
        Play();
    } else {
        SeekTo(target);
    }
}

void CDAudioDevice::Eject() {
    checkOpen();
    if (canEject_)
        record(drive_->eject());
}

std::string CDAudioDevice::ErrorText() const {
    return CdError::text(lastError_);
}
