#include "CdioBackend.h"

#include "CdError.h"
#include "CdioDrive.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <sstream>

namespace {

std::vector<std::string> splitPaths(const std::string& text) {
    std::vector<std::string> paths;
    std::stringstream in(text);
    std::string path;
    while (std::getline(in, path, ':'))
        if (!path.empty())
            paths.push_back(path);
    return paths;
}

// /dev/cdrom is usually a link to /dev/sr0: the same drive is listed once.
std::string resolved(const std::string& path) {
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

} // namespace

CdioBackend::CdioBackend(const std::string& configuredImages)
    : images_(imagePaths(configuredImages)) {
    // A drive without a disc or an unreadable image is an ordinary answer here, not
    // something to print on the terminal.
    cdio_loglevel_default = CDIO_LOG_ERROR;
}

std::vector<std::string> CdioBackend::imagePaths(const std::string& configured) {
    const char* fromEnvironment = std::getenv("BRAMIDOU_CD_IMAGES");
    return splitPaths(fromEnvironment ? fromEnvironment : configured);
}

std::string CdioBackend::shortName(const std::string& device) {
    const std::size_t slash = device.rfind('/');
    return slash == std::string::npos ? device : device.substr(slash + 1);
}

std::vector<DriveEntry> CdioBackend::drives() {
    std::vector<std::string> devices;
    if (char** list = cdio_get_devices(DRIVER_DEVICE)) {
        for (char** d = list; *d; ++d) {
            const std::string device = resolved(*d);
            if (std::find(devices.begin(), devices.end(), device) == devices.end())
                devices.push_back(device);
        }
        cdio_free_device_list(list);
    }
    std::sort(devices.begin(), devices.end(), std::greater<>());
    std::vector<DriveEntry> entries;
    for (const std::string& device : devices)
        entries.push_back({device, shortName(device)});
    for (std::size_t i = 0; i < images_.size(); ++i)
        entries.push_back({images_[i], "Img" + std::to_string(i + 1)});
    return entries;
}

bool CdioBackend::isImage(const std::string& element) const {
    return std::find(images_.begin(), images_.end(), element) != images_.end();
}

std::unique_ptr<CdDrive> CdioBackend::open(const std::string& element, int& error) {
    // A name that is neither a listed image nor a device file ("c:" before the first
    // search) is not handed to libcdio, which would guess at it.
    if (!isImage(element) && element.rfind("/dev/", 0) != 0) {
        error = CdError::noDevice;
        return nullptr;
    }
    return CdioDrive::open(element, isImage(element), error);
}
