// What the INI reader and the in-memory writer must hold on any bytes: nothing may
// crash, a value written must read back, writing one key must not change what another
// key reads, and the edited text reads the same once read afresh.
#pragma once

#include "IniDocument.h"
#include "Windows1252.h"

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <stdexcept>
#include <string>

namespace IniProperties {

// Splits the input into fields at the first NUL bytes; the rest is the file.
inline std::string takeField(const std::uint8_t*& data, std::size_t& size) {
    std::string field;
    while (size > 0 && *data != 0 && field.size() < 64) {
        field += static_cast<char>(*data);
        ++data;
        --size;
    }
    if (size > 0) {
        ++data;
        --size;
    }
    return field;
}

inline std::string trimmed(const std::string& s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    std::size_t b = 0, e = s.size();
    while (b < e && blank(s[b]))
        ++b;
    while (e > b && blank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

inline bool sameName(const std::string& a, const std::string& b) {
    return Windows1252::equalsIgnoringCase(Windows1252::fromUtf8(trimmed(a)),
                                           Windows1252::fromUtf8(trimmed(b)));
}

inline void check(const std::string& section, const std::string& key, const std::string& probe,
                  std::string bytes) {
    const int value = static_cast<int>(std::hash<std::string>{}(key + probe));
    IniDocument ini(std::move(bytes));

    const auto before = ini.readString(section, probe);
    if (before && before->size() > 4 * IniDocument::kMaxValueLength)
        std::abort();
    ini.readInt(section, probe, 0);
    ini.readBool(section, key, true);
    Windows1252::toUtf8(Windows1252::fromUtf8(probe));

    try {
        ini.setValue(section, key, std::to_string(value));
    } catch (const std::invalid_argument&) {
        return;
    }
    if (ini.readInt(section, key, value ^ 1) != value)
        std::abort();
    if (!sameName(key, probe) && ini.readString(section, probe) != before)
        std::abort();
    // Reparsing what was written finds the same value.
    if (IniDocument(ini.bytes()).readInt(section, key, value ^ 1) != value)
        std::abort();

    // A second write, of another length, in a section that may come before: the lines
    // after it move, and the document must still read as its own text does.
    try {
        ini.setValue(probe, key, std::string(static_cast<std::size_t>(value & 15), '7'));
    } catch (const std::invalid_argument&) {
        return;
    }
    const IniDocument fresh(ini.bytes());
    if (ini.readString(section, key) != fresh.readString(section, key) ||
        ini.readString(probe, key) != fresh.readString(probe, key) ||
        ini.readString(section, probe) != fresh.readString(section, probe))
        std::abort();
}

} // namespace IniProperties
