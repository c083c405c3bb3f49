// The INI reader and the in-memory writer on any bytes (see IniProperties.h).
#include "IniProperties.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string section = IniProperties::takeField(data, size);
    const std::string key = IniProperties::takeField(data, size);
    const std::string probe = IniProperties::takeField(data, size);
    IniProperties::check(section, key, probe,
                         std::string(reinterpret_cast<const char*>(data), size));
    return 0;
}
