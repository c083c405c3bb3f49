#include "CdPlayerControl.h"

#include "CdDisplay.h"
#include "CdTime.h"

using namespace CdTime;

CdPlayerControl::CdPlayerControl(CdBackend& backend) : mediaCDPlayer(backend), backend_(backend) {
    mediaCDPlayer.AutoRewind = true;
    mediaCDPlayer.DeviceType = dtCDAudio;
    mediaCDPlayer.FileName = "c:";
    noDisc = FindCDDrive();
}

bool CdPlayerControl::FindCDDrive() {
    panel.drive = "Vide";
    for (const DriveEntry& drive : backend_.drives()) {
        mediaCDPlayer.FileName = drive.element;
        panel.drive = drive.shortName + " ";
        try {
            mediaCDPlayer.Open();
            if (mediaCDPlayer.QueryTrackCount() > 1)
                return false;
        } catch (const EMCIDeviceError&) {
            // A drive that cannot be opened or read is skipped.
        }
    }
    return true;
}

int CdPlayerControl::refresh() {
    mediaCDPlayer.SetTimeFormat(formatTmsf);
    noDisc = false;
    int interval = CdDisplay::slowRefreshMs;
    try {
        const int mode = mediaCDPlayer.QueryMode();
        if (!CdDisplay::knownMode(mode))
            throw EMCIDeviceError("mode inconnu");
        panel.status = CdDisplay::CDModeTexts[mode];
        interval = CdDisplay::refreshInterval(mode);
        if (mode != int(DriveMode::DoorOpen) && mode != int(DriveMode::NotReady)) {
            panel.tracks = CdDisplay::numberText(mediaCDPlayer.QueryTrackCount());
            const std::uint32_t position = mediaCDPlayer.QueryPosition();
            const int track = tmsfTrack(position);
            panel.currentTrack = CdDisplay::numberText(track);
            const std::uint32_t length = mediaCDPlayer.QueryTrackLength(track);
            panel.trackTime = CdDisplay::timeText(msfMinutes(length), msfSeconds(length));
            panel.elapsed = CdDisplay::timeText(tmsfMinutes(position), tmsfSeconds(position));
        } else {
            panel.clearValues();
            noDisc = FindCDDrive();
        }
    } catch (const EMCIDeviceError&) {
        try {
            mediaCDPlayer.Open();
        } catch (const EMCIDeviceError&) {
            // One quiet attempt; the next refresh tries again.
        }
        panel.clearValues();
        panel.drive.clear();
        panel.status = "Vide";
        noDisc = true;
    }
    return interval;
}

template <typename Action> void CdPlayerControl::act(Action action) {
    if (noDisc)
        return;
    try {
        action();
    } catch (const EMCIDeviceError&) {
        // The device went away under the button; the next refresh shows it.
    }
}

void CdPlayerControl::play() {
    act([this] { mediaCDPlayer.Play(); });
}

void CdPlayerControl::togglePause() {
    act([this] { mediaCDPlayer.TogglePause(); });
}

void CdPlayerControl::stop() {
    act([this] {
        mediaCDPlayer.Stop();
        mediaCDPlayer.SeekToStart();
    });
}

void CdPlayerControl::previousTrack() {
    act([this] { mediaCDPlayer.PreviousTrack(); });
}

void CdPlayerControl::nextTrack() {
    act([this] { mediaCDPlayer.NextTrack(); });
}

void CdPlayerControl::eject() {
    act([this] { mediaCDPlayer.Eject(); });
}

void CdPlayerControl::step(int deltaMs) {
    mediaCDPlayer.SetTimeFormat(formatMilliseconds);
    act([this, deltaMs] {
        mediaCDPlayer.TogglePause();
        // Sent as it is: a target before the start wraps round and the device refuses it.
        mediaCDPlayer.SeekTo(mediaCDPlayer.QueryPosition() + std::uint32_t(deltaMs));
        mediaCDPlayer.Resume();
    });
}
