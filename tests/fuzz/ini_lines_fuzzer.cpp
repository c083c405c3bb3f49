// The INI reader and writer on large files of many short lines, a shape the byte-level
// fuzzer never grows to: the input gives a few short lines and how often to repeat them,
// up to a few megabytes. A reader that searches past the end of a line for its '=' or
// ']' takes minutes on such a file, which the fuzzer's time-out reports.
#include "IniProperties.h"

namespace {

constexpr std::size_t kMaxPattern = 64;
constexpr std::size_t kMaxFile = 4 * 1024 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::size_t repeats = (std::size_t{data[0]} << 8 | data[1]) * 64 + 1;
    data += 2;
    size -= 2;
    const std::string section = IniProperties::takeField(data, size);
    const std::string key = IniProperties::takeField(data, size);
    const std::string probe = IniProperties::takeField(data, size);
    // The lines to repeat, then an ending written once (a section and keys, say).
    const std::string pattern = IniProperties::takeField(data, size).substr(0, kMaxPattern);
    const std::string ending(reinterpret_cast<const char*>(data), size);
    std::string file;
    if (!pattern.empty()) {
        const std::size_t count = std::min(repeats, kMaxFile / pattern.size());
        file.reserve(count * pattern.size() + ending.size());
        for (std::size_t i = 0; i < count; ++i)
            file += pattern;
    }
    file += ending;
    IniProperties::check(section, key, probe, std::move(file));
    return 0;
}
