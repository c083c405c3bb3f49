#pragma once

#include "CdDrive.h"
#include "DigitalPlayback.h"

#include <memory>
#include <mutex>
#include <string>

typedef struct _CdIo CdIo_t;

// A drive or a disc image opened through libcdio, played digitally. An image is a drive
// that always holds its disc and cannot eject it.
class CdioDrive : public CdDrive {
public:
    // Nothing and a CdError code when the element cannot be opened.
    static std::unique_ptr<CdioDrive> open(const std::string& element, bool image, int& error);
    ~CdioDrive() override;

    bool canEject() const override { return !image_; }
    DriveMode mode() override;
    DiscToc toc() override;
    int position() override;
    int play(std::optional<int> from) override;
    int pause() override;
    int resume() override;
    int stop() override;
    int seek(int frame) override;
    int eject() override;

private:
    CdioDrive(CdIo_t* cdio, std::string element, bool image);
    // A physical drive's disc may have come or gone since the last look; not while it
    // plays, so the interface never waits behind the extraction.
    void followMedia();

    std::shared_ptr<std::mutex> cdioLock_; // shared with the reader on the playback thread
    CdIo_t* cdio_;
    std::string element_;
    bool image_;
    std::unique_ptr<DigitalPlayback> playback_;
};
