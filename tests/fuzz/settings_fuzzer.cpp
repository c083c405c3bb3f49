// The settings reader on any file: the record it fills is always usable, and saving it
// over that file reads back the same record.
#include "FixedDeviceCount.h"
#include "SettingsFile.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>

namespace {

bool sameRecord(const Settings& a, const Settings& b) {
    for (int colour = 1; colour <= 4; ++colour) {
        if (a.playerKind[colour] != b.playerKind[colour])
            return false;
    }
    return a.soundOn == b.soundOn && a.choiceDelaySeconds == b.choiceDelaySeconds &&
           a.choiceDelayMs == b.choiceDelayMs && a.mainLeft == b.mainLeft &&
           a.mainTop == b.mainTop && a.cdLeft == b.cdLeft && a.cdTop == b.cdTop;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    // The first byte chooses the machine: sound device or not, and the screen.
    const int devices = data[0] & 1;
    const ScreenSize screen{640 + 32 * ((data[0] >> 1) & 7), 480 + 32 * (data[0] >> 4)};
    const std::string path = "/dev/shm/bramidou-fuzz-" + std::to_string(::getpid()) + ".ini";
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data + 1), static_cast<std::streamsize>(size - 1));
    }
    FixedDeviceCount counter(devices);
    Settings settings;
    settings.mainWidth = 640;
    settings.mainHeight = 480;
    LoadSettings(settings, path, screen, counter);

    for (int colour = 1; colour <= 4; ++colour) {
        if (settings.playerKind[colour] < 1 || settings.playerKind[colour] > 3)
            std::abort();
    }
    if (settings.choiceDelaySeconds < 1 || settings.choiceDelaySeconds > 30 ||
        settings.choiceDelayMs != settings.choiceDelaySeconds * 1000)
        std::abort();
    if (settings.mainLeft > screen.width - 100 || settings.mainTop > screen.height - 100)
        std::abort();
    if (settings.soundOn && !settings.soundAvailable)
        std::abort();
    if (settings.soundAvailable != (devices > 0))
        std::abort();

    // Each save flushes ten files, so only one input in four, chosen by its content,
    // is saved back; the reader sees them all.
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (std::hash<std::string>{}(bytes) % 4 != 0) {
        ::unlink(path.c_str());
        return 0;
    }
    SaveSettings(settings, path);
    Settings again = settings;
    LoadSettings(again, path, screen, counter);
    ::unlink(path.c_str());
    if (!sameRecord(settings, again))
        std::abort();
    return 0;
}
