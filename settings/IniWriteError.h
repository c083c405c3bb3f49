#pragma once

#include <stdexcept>
#include <string>

// A key could not be written. The text is the one the general error box shows.
class IniWriteError : public std::runtime_error {
public:
    explicit IniWriteError(const std::string& path)
        : std::runtime_error("Impossible d'écrire dans " + path), path_(path) {}

    const std::string& path() const { return path_; }

private:
    std::string path_;
};
