#pragma once

#include <string>
#include <string_view>

// The INI files are Windows-1252 text while the program spells its names in UTF-8.
namespace Windows1252 {

// Characters the code page cannot hold become '?', as the Windows conversion does;
// a malformed UTF-8 byte also becomes '?' rather than stopping the conversion.
std::string fromUtf8(const std::string& utf8);

// Every byte has a meaning; the five holes of the code page pass through as the C1
// control characters, so a round trip never loses a byte.
std::string toUtf8(const std::string& bytes);

// Lower case of one byte: ASCII and the accented letters of the code page.
unsigned char foldCase(unsigned char byte);

bool equalsIgnoringCase(std::string_view a, std::string_view b);

} // namespace Windows1252
