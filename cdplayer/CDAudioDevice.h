#pragma once

#include "CdDrive.h"
#include "EMCIDeviceError.h"

#include <cstdint>
#include <memory>
#include <string>

enum TMPDeviceTypes { dtCDAudio };

// The CD audio device as the player window drives it: open a drive by name, query its
// mode, positions and lengths in the current time format, and command it. Every command
// records its result in LastError; only Open and the open check raise EMCIDeviceError.
class CDAudioDevice {
public:
    explicit CDAudioDevice(CdBackend& backend);
    ~CDAudioDevice();
    CDAudioDevice(const CDAudioDevice&) = delete;
    CDAudioDevice& operator=(const CDAudioDevice&) = delete;

    TMPDeviceTypes DeviceType = dtCDAudio;
    std::string FileName = "c:";
    bool Shareable = true;
    bool AutoRewind = true;

    bool IsOpen() const { return drive_ != nullptr; }
    std::uint16_t DeviceID() const { return wDeviceID_; }
    int LastError() const { return lastError_; }
    bool CanEject() const { return canEject_; }

    void Open();
    void Close();
    void SetTimeFormat(int format);

    int QueryMode();
    std::uint32_t QueryPosition();
    std::uint32_t QueryLength();
    int QueryTrackCount();
    std::uint32_t QueryTrackLength(int track);
    std::uint32_t QueryTrackStart(int track);
    int QueryTimeFormat();

    void Play();
    void Pause();
    void Resume();
    void TogglePause();
    void Stop();
    void SeekToStart();
    void SeekTo(std::uint32_t position);
    void NextTrack();
    void PreviousTrack();
    void Eject();

    std::string ErrorText() const;

private:
    void checkOpen() const;
    // Records the result; false when it is a refusal.
    bool record(int result);
    // A command or query of a device that is not open fails like any other refusal.
    bool reachable();
    std::uint32_t valueOf(const DiscToc& toc, int frame) const;
    // The frame a value names in the current format, or nothing when it lies off the disc.
    std::optional<int> frameOf(const DiscToc& toc, std::uint32_t value) const;
    void seekFrame(int frame);
    void playFrom(std::optional<int> frame);

    CdBackend& backend_;
    std::unique_ptr<CdDrive> drive_;
    std::uint16_t wDeviceID_ = 0;
    std::uint16_t nextDeviceID_ = 1;
    int lastError_ = 0;
    bool canEject_ = false;
    int timeFormat_ = 10;
    std::optional<std::uint32_t> pendingStart_;
};
