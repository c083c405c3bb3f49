#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The text of one INI file held in memory. Section and key names are given in UTF-8
// and matched without regard to case. The file is Windows-1252, unless a hand editor
// marked it as UTF-8 with a byte order mark: then it is read and extended in UTF-8.
// Changing a value touches only the line of that key, or adds lines; every other byte
// stays as it was.
class IniDocument {
public:
    // A value is read as text of at most this many characters.
    static constexpr std::size_t kMaxValueLength = 2047;

    IniDocument() = default;
    explicit IniDocument(std::string bytes);

    const std::string& bytes() const { return bytes_; }

    // The value as UTF-8, blanks around it removed; nothing when the key is absent.
    std::optional<std::string> readString(const std::string& section, const std::string& key) const;
    int readInt(const std::string& section, const std::string& key, int fallback) const;
    bool readBool(const std::string& section, const std::string& key, bool fallback) const;

    // Replaces the key's value in place, or appends the key at the end of its section,
    // or appends the section at the end. Throws std::invalid_argument for a name or
    // value that would break the line structure (line ends, '=' in a key, ']' in a
    // section name).
    void setValue(const std::string& section, const std::string& key, const std::string& value);
    void setInt(const std::string& section, const std::string& key, int value);
    void setBool(const std::string& section, const std::string& key, bool value);

    // Decimal with optional sign, "0x"/"0X" (more than two characters) or "$" hexadecimal;
    // nothing for anything that is not a signed 32-bit integer.
    static std::optional<int> parseInt(const std::string& text);

private:
    // Only sections and keys are remembered, by where they start and where their ']' or
    // '=' stands; the rest of a line is found again from there when it is needed. Every
    // other line stays in the bytes and is never looked at again, so a file of many short
    // lines costs one pass to read and one shift of these offsets per value written.
    enum class LineKind : unsigned char { Section, Key };
    struct Line {
        std::size_t start;     // first byte after the indent: '[' or the key's first byte
        std::size_t delimiter; // the section's ']' or the key's '='
        LineKind kind;
    };
    struct Span {
        std::size_t begin, end;
    };

    void parse();
    Span nameOf(const Line& line) const;
    std::size_t contentEndOf(const Line& line) const; // before CR LF / LF
    std::size_t endOf(const Line& line) const;        // after the line end, if any
    std::string encode(const std::string& utf8) const;
    bool nameMatches(const Line& line, const std::string& encodedName) const;
    struct Found {
        std::size_t keyLine;     // the first line of the key in a section of that name
        std::size_t sectionLine; // the first section of that name
        std::size_t appendAfter; // its last key line, or its header when it has none
    };
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    Found find(const std::string& section, const std::string& key) const;
    // Moves the lines from `first` on by `delta` bytes after an edit before them.
    void shiftLines(std::size_t first, std::ptrdiff_t delta);

    std::string bytes_;
    std::vector<Line> lines_;
    std::string lineEnd_ = "\r\n";
    bool utf8_ = false;
};
