#pragma once

#include "IniDocument.h"
#include "IniWriteError.h"

#include <string>

// One INI file on disk. Reads take the file as it is now; each write of one key goes
// straight to the file, safely (see SafeFile), so keys written before a failure stay.
class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The file's text; a missing or unreadable file reads as empty, so every key
    // takes its default.
    IniDocument read() const;

    // Throw IniWriteError when the file cannot be written; the file is then unchanged.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInt(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);

private:
    std::string path_;
};
