#pragma once

#include <stdexcept>
#include <string>

// A CD device failure: raised when opening fails and when a command needs an open device
// and there is none. The window that called catches it; the user never sees it as such.
class EMCIDeviceError : public std::runtime_error {
public:
    explicit EMCIDeviceError(const std::string& message) : std::runtime_error(message) {}
};
