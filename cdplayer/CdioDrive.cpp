#include "CdioDrive.h"

#include "CdError.h"
#include "CdTime.h"

#include <cdio/cdio.h>
#include <cdio/mmc.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>

#include <cstring>
#include <utility>

namespace {

DiscToc readToc(CdIo_t* cdio) {
    DiscToc toc;
    const track_t first = cdio_get_first_track_num(cdio);
    const track_t count = cdio_get_num_tracks(cdio);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0)
        return toc;
    for (track_t t = first; t < first + count; ++t) {
        const lsn_t start = cdio_get_track_lsn(cdio, t);
        if (start == CDIO_INVALID_LSN)
            return DiscToc{};
        toc.trackStarts.push_back(int(start));
    }
    toc.leadOut = int(cdio_get_track_lsn(cdio, CDIO_CDROM_LEADOUT_TRACK));
    if (toc.leadOut <= toc.trackStarts.back())
        return DiscToc{};
    return toc;
}

// An image's audio is read as it lies in the file.
class ImageReader : public SectorReader {
public:
    ImageReader(CdIo_t* cdio, std::shared_ptr<std::mutex> lock)
        : cdio_(cdio), lock_(std::move(lock)) {}

    bool read(int first, int count, std::vector<std::uint8_t>& out) override {
        out.resize(std::size_t(count) * CdTime::bytesPerFrame);
        std::lock_guard<std::mutex> guard(*lock_);
        return cdio_read_audio_sectors(cdio_, out.data(), first, std::uint32_t(count)) ==
               DRIVER_OP_SUCCESS;
    }

private:
    CdIo_t* cdio_;
    std::shared_ptr<std::mutex> lock_;
};

// A physical disc is read through the paranoia layer, which rereads and matches
// overlapping reads until a scratch or a jitter of the drive no longer shows.
class ParanoiaReader : public SectorReader {
public:
    ParanoiaReader(CdIo_t* cdio, std::shared_ptr<std::mutex> lock)
        : cdio_(cdio), lock_(std::move(lock)) {}
    ~ParanoiaReader() override {
        if (paranoia_)
            cdio_paranoia_free(paranoia_);
        if (drive_)
            cdio_cddap_close_no_free_cdio(drive_);
    }

    bool read(int first, int count, std::vector<std::uint8_t>& out) override {
        out.resize(std::size_t(count) * CdTime::bytesPerFrame);
        std::lock_guard<std::mutex> guard(*lock_);
        // Set up at the first read, on the playback thread: the drive may take its time
        // to answer, and the window must not wait for it when it only opens the drive.
        if (!drive_) {
            drive_ = cdio_cddap_identify_cdio(cdio_, CDDA_MESSAGE_FORGETIT, nullptr);
            if (drive_ && cdio_cddap_open(drive_) == 0) {
                paranoia_ = cdio_paranoia_init(drive_);
                cdio_paranoia_modeset(paranoia_, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
            }
        }
        if (!paranoia_)
            return false;
        if (first != next_)
            cdio_paranoia_seek(paranoia_, first, SEEK_SET);
        for (int i = 0; i < count; ++i) {
            const std::int16_t* frame = cdio_paranoia_read_limited(paranoia_, nullptr, 5);
            if (!frame)
                return false;
            std::memcpy(out.data() + std::size_t(i) * CdTime::bytesPerFrame, frame,
                        CdTime::bytesPerFrame);
        }
        next_ = first + count;
        return true;
    }

private:
    CdIo_t* cdio_;
    std::shared_ptr<std::mutex> lock_;
    cdrom_drive_t* drive_ = nullptr;
    cdrom_paranoia_t* paranoia_ = nullptr;
    int next_ = -1;
};

} // namespace

std::unique_ptr<CdioDrive> CdioDrive::open(const std::string& element, bool image, int& error) {
    CdIo_t* cdio = cdio_open(element.c_str(), image ? DRIVER_BINCUE : DRIVER_DEVICE);
    if (!cdio) {
        error = CdError::openFailed;
        return nullptr;
    }
    error = CdError::none;
    return std::unique_ptr<CdioDrive>(new CdioDrive(cdio, element, image));
}

CdioDrive::CdioDrive(CdIo_t* cdio, std::string element, bool image)
    : cdioLock_(std::make_shared<std::mutex>()), cdio_(cdio), element_(std::move(element)),
      image_(image) {
    std::unique_ptr<SectorReader> reader;
    if (image_)
        reader = std::make_unique<ImageReader>(cdio_, cdioLock_);
    else
        reader = std::make_unique<ParanoiaReader>(cdio_, cdioLock_);
    playback_ = std::make_unique<DigitalPlayback>(std::move(reader));
    const DiscToc toc = readToc(cdio_);
    playback_->withTransport([&](DiscTransport& t) {
        if (!toc.trackStarts.empty())
            t.insert(toc);
        return 0;
    });
    if (toc.trackStarts.empty())
        followMedia();
}

CdioDrive::~CdioDrive() {
    // The thread goes first: it may be reading through the handle.
    playback_.reset();
    cdio_destroy(cdio_);
}

void CdioDrive::followMedia() {
    if (image_)
        return;
    const auto [playing, loaded] = playback_->withTransport([](DiscTransport& t) {
        return std::pair<bool, bool>(t.mode() == DriveMode::Playing, t.hasDisc());
    });
    if (playing)
        return;
    std::lock_guard<std::mutex> guard(*cdioLock_);
    // A changed disc reads as not ready: the player's search then opens the drive afresh,
    // with a new table of contents and a new reader.
    if (loaded && cdio_get_media_changed(cdio_) != 1)
        return;
    const bool doorOpen = mmc_get_tray_status(cdio_) == 1;
    playback_->withTransport([&](DiscTransport& t) {
        t.remove(doorOpen ? DriveMode::DoorOpen : DriveMode::NotReady);
        return 0;
    });
}

DriveMode CdioDrive::mode() {
    followMedia();
    return playback_->withTransport([](DiscTransport& t) { return t.mode(); });
}

DiscToc CdioDrive::toc() {
    return playback_->withTransport([](DiscTransport& t) { return t.toc(); });
}

int CdioDrive::position() {
    return playback_->withTransport([](DiscTransport& t) { return t.position(); });
}

int CdioDrive::play(std::optional<int> from) {
    return playback_->withTransport([&](DiscTransport& t) { return t.play(from); });
}

int CdioDrive::pause() {
    return playback_->withTransport([](DiscTransport& t) { return t.pause(); });
}

int CdioDrive::resume() {
    return playback_->withTransport([](DiscTransport& t) { return t.resume(); });
}

int CdioDrive::stop() {
    return playback_->withTransport([](DiscTransport& t) { return t.stop(); });
}

int CdioDrive::seek(int frame) {
    return playback_->withTransport([&](DiscTransport& t) { return t.seek(frame); });
}

int CdioDrive::eject() {
    if (image_)
        return CdError::cannotEject;
    playback_->withTransport([](DiscTransport& t) { return t.stop(); });
    std::lock_guard<std::mutex> guard(*cdioLock_);
    if (cdio_eject_media_drive(element_.c_str()) != DRIVER_OP_SUCCESS)
        return CdError::driveFailure;
    playback_->withTransport([](DiscTransport& t) {
        t.remove(DriveMode::DoorOpen);
        return 0;
    });
    return CdError::none;
}
