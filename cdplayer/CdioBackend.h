#pragma once

#include "CdDrive.h"

#include <string>
#include <vector>

// The machine's CD drives, through libcdio, and the disc images the player treats as
// drives: BIN/CUE files named in the settings (`ImagesCD`) or, overriding them, in the
// environment variable BRAMIDOU_CD_IMAGES, as paths separated by ':'.
class CdioBackend : public CdBackend {
public:
    explicit CdioBackend(const std::string& configuredImages);

    // The devices sorted by name, last first, then the images in their order.
    std::vector<DriveEntry> drives() override;
    std::unique_ptr<CdDrive> open(const std::string& element, int& error) override;

    // The image list in force: the environment's when it is set, else the settings'.
    static std::vector<std::string> imagePaths(const std::string& configured);
    // "sr0" for /dev/sr0; "Img1", "Img2"... for the images.
    static std::string shortName(const std::string& device);

private:
    bool isImage(const std::string& element) const;

    std::vector<std::string> images_;
};
