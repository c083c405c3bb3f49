#pragma once

#include "CDAudioDevice.h"

#include <optional>
#include <string>

// The texts of the player's display panel.
struct CdPanel {
    std::string tracks;       // lblTracksValue
    std::string currentTrack; // lblCurrentTrackValue
    std::string trackTime;    // lblTrackTimeValue
    std::string elapsed;      // lblTrackTimeElapsedValue
    std::string status;       // lblCDPlayerStatus
    std::string drive;        // lblCDDrive

    void clearValues() { tracks = currentTrack = trackTime = elapsed = std::string(); }
};

// What the CD player window does with the device, apart from the window itself: the drive
// search, the refresh of the panel and the buttons' actions. No device failure leaves
// it; a refused command leaves its trace only in the device's LastError.
class CdPlayerControl {
public:
    // Prepares the device and searches the drives, as the window's creation does.
    explicit CdPlayerControl(CdBackend& backend);

    CDAudioDevice mediaCDPlayer;
    CdPanel panel;
    bool noDisc = true;

    // True when no drive holds a disc of two tracks or more.
    bool FindCDDrive();
    // One refresh of the panel; gives the interval until the next one.
    int refresh();

    // The buttons, once the window has brought the refresh back to 100 ms. They act only
    // while a disc is there.
    void play();
    void togglePause();
    void stop();
    void previousTrack();
    void nextTrack();
    void eject();
    // A five-second step back (negative) or forward; the device switches to milliseconds
    // even without a disc, and the next refresh switches back.
    void step(int deltaMs);

private:
    template <typename Action> void act(Action action);

    CdBackend& backend_;
};
