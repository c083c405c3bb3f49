#pragma once

#include "IniDocument.h"
#include "IniWriteError.h"

#include <functional>
#include <string>

// One INI file on disk. Reads take the file as it is now; a write reads and parses the
// file once, makes every change asked in memory and replaces the file once, safely (see
// SafeFile): the file on disk then holds either all of the changes or none of them.
class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The file's text; a missing or unreadable file reads as empty, so every key
    // takes its default.
    IniDocument read() const;

    // Applies `edit` to the file's text and writes the result. Throws IniWriteError when
    // the file cannot be written; the file is then unchanged.
    void update(const std::function<void(IniDocument&)>& edit);

    // One key alone, the same way.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInt(const std::string& section, const std::string& key, int value);
    void writeBool(const std::string& section, const std::string& key, bool value);

private:
    std::string path_;
};
