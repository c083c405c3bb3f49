#pragma once

#include "CdDrive.h"
#include "DiscTransport.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

// Discs in memory for the device's tests: drives that hold a table of contents, play it
// on a virtual clock that the test advances, and count the commands that reach them.
class InMemoryBackend : public CdBackend {
public:
    struct Slot {
        DriveEntry entry;
        std::vector<int> trackSeconds; // empty: no disc
        bool canEject = true;
        bool opens = true;
    };

    // Counts of what reached the drives, over every opening.
    struct Counts {
        int opens = 0;
        int ejects = 0;
        int live = 0;
    };

    void add(Slot slot) { slots_.push_back(std::move(slot)); }
    // A disc of tracks of the given lengths (2 s of lead-in before track 1, as on a CD).
    static DiscToc tocOf(const std::vector<int>& trackSeconds);

    // Time passes for every open drive: a playing one hears that much more of its disc.
    void advance(int ms);
    // The mode the open drive reports from now on, whatever it is doing.
    void reportMode(int mode) { forcedMode_ = mode; }

    std::vector<DriveEntry> drives() override;
    std::unique_ptr<CdDrive> open(const std::string& element, int& error) override;

    Counts counts;
    // The transport of the drive opened last, for the test to look at.
    DiscTransport* lastOpened = nullptr;

private:
    friend class InMemoryDrive;
    std::vector<Slot> slots_;
    std::vector<class InMemoryDrive*> open_;
    int forcedMode_ = -1;
};
