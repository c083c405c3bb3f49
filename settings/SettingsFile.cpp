#include "SettingsFile.h"

#include "IniFile.h"
#include "InstallLayout.h"
#include "PlayerKeys.h"

#include <algorithm>

namespace {

const char* const kSection = "Configuration";

// The dialog offers 1..30 s; a hand-edited value below would leave the computer
// waiting for ever, and a huge one overflows the conversion to milliseconds.
constexpr int kMinDelaySeconds = 1;
constexpr int kMaxDelaySeconds = 30;

// A main window stored too far right or down would be out of reach; negative values
// stay, as the player may have parked it half off the left or top edge.
int checkedMainPosition(const IniDocument& ini, const char* key, int screenSize, int windowSize) {
    const int centred = (screenSize - windowSize) / 2;
    const int stored = ini.readInt(kSection, key, centred);
    return stored > screenSize - 100 ? centred : stored;
}

} // namespace

std::string settingsPath(const std::string& executablePath) {
    const std::size_t slash = executablePath.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = executablePath.rfind('.');
    // A dot that starts the name marks a hidden file, not an extension.
    if (dot == std::string::npos || dot <= nameStart)
        return executablePath + ".ini";
    return executablePath.substr(0, dot) + ".ini";
}

void LoadSettings(Settings& settings, const std::string& path, ScreenSize screen,
                  WaveDeviceCounter& devices) {
    const IniDocument ini = IniFile(path).read();
    settings.cdLeft = ini.readInt(kSection, "PositionXCDAudio", 0);
    settings.cdTop = ini.readInt(kSection, "PositionYCDAudio", 0);
    settings.cdImages = ini.readString(kSection, "ImagesCD").value_or(std::string());
    settings.mainLeft =
        checkedMainPosition(ini, "PositionXPrincipale", screen.width, settings.mainWidth);
    settings.mainTop =
        checkedMainPosition(ini, "PositionYPrincipale", screen.height, settings.mainHeight);
    for (int colour = 1; colour <= 4; ++colour)
        settings.playerKind[colour] = PlayerKeys::checkedKind(
            ini.readInt(kSection, PlayerKeys::kKey[colour], PlayerKeys::kDefaultKind[colour]));
    settings.choiceDelaySeconds =
        std::clamp(ini.readInt(kSection, "Temporisation", 3), kMinDelaySeconds, kMaxDelaySeconds);
    settings.choiceDelayMs = settings.choiceDelaySeconds * 1000;
    settings.soundOn = ini.readBool(kSection, "Son", false);
    settings.computerLevel =
        ComputerLevel::checked(ini.readInt(kSection, "Niveau", ComputerLevel::Standard));
    settings.soundAvailable = devices.waveOutputDeviceCount() > 0;
    if (!settings.soundAvailable)
        settings.soundOn = false;
}

void SaveSettings(const Settings& settings, const std::string& path) {
    // An installed copy's configuration folder may not exist before the first write.
    InstallLayout::createFolderFor(path);
    IniFile(path).update([&](IniDocument& ini) {
        for (int colour = 1; colour <= 4; ++colour)
            ini.setInt(kSection, PlayerKeys::kKey[colour], settings.playerKind[colour]);
        ini.setInt(kSection, "PositionXCDAudio", settings.cdLeft);
        ini.setInt(kSection, "PositionYCDAudio", settings.cdTop);
        ini.setInt(kSection, "PositionXPrincipale", settings.mainLeft);
        ini.setInt(kSection, "PositionYPrincipale", settings.mainTop);
        ini.setInt(kSection, "Temporisation", settings.choiceDelaySeconds);
        ini.setBool(kSection, "Son", settings.soundOn);
        ini.setInt(kSection, "Niveau", settings.computerLevel);
    });
}
