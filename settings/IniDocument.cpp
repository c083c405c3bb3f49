#include "IniDocument.h"

#include "Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

// A stray CR (a file cut after it, or edited on an old Mac) counts as a blank.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::size_t skipBlanks(const std::string& s, std::size_t from, std::size_t to) {
    while (from < to && isBlank(s[from]))
        ++from;
    return from;
}

std::size_t trimBlanksBack(const std::string& s, std::size_t from, std::size_t to) {
    while (to > from && isBlank(s[to - 1]))
        --to;
    return to;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Accumulates digits in 64 bits and gives up as soon as the magnitude cannot fit, so
// thousands of digits neither overflow nor take long.
std::optional<std::int64_t> magnitude(const std::string& digits, int base, std::int64_t limit) {
    if (digits.empty())
        return std::nullopt;
    std::int64_t value = 0;
    for (const char c : digits) {
        const int d = hexDigit(c);
        if (d < 0 || d >= base)
            return std::nullopt;
        value = value * base + d;
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

// Names are compared as the file holds them, without the blanks around them.
std::string trimmed(const std::string& s) {
    const std::size_t begin = skipBlanks(s, 0, s.size());
    return s.substr(begin, trimBlanksBack(s, begin, s.size()) - begin);
}

} // namespace

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) {
    parse();
}

void IniDocument::parse() {
    lines_.clear();
    utf8_ = bytes_.compare(0, kBom.size(), kBom) == 0;
    std::size_t pos = utf8_ ? kBom.size() : 0;
    while (pos < bytes_.size()) {
        Line line;
        line.begin = pos;
        const std::size_t newline = bytes_.find('\n', pos);
        line.end = newline == std::string::npos ? bytes_.size() : newline + 1;
        line.terminated = newline != std::string::npos;
        line.contentEnd = line.terminated ? newline : bytes_.size();
        if (line.terminated && line.contentEnd > pos && bytes_[line.contentEnd - 1] == '\r')
            --line.contentEnd;
        pos = line.end;

        const std::size_t start = skipBlanks(bytes_, line.begin, line.contentEnd);
        if (start < line.contentEnd && bytes_[start] == '[') {
            const std::size_t close = bytes_.find(']', start);
            if (close != std::string::npos && close < line.contentEnd) {
                line.kind = LineKind::Section;
                line.nameBegin = skipBlanks(bytes_, start + 1, close);
                line.nameEnd = trimBlanksBack(bytes_, line.nameBegin, close);
            }
        } else {
            const std::size_t equals = bytes_.find('=', start);
            if (equals != std::string::npos && equals < line.contentEnd) {
                line.nameBegin = start;
                line.nameEnd = trimBlanksBack(bytes_, start, equals);
                line.valueBegin = skipBlanks(bytes_, equals + 1, line.contentEnd);
                line.valueEnd = trimBlanksBack(bytes_, line.valueBegin, line.contentEnd);
                if (line.nameEnd > line.nameBegin)
                    line.kind = LineKind::Key;
            }
        }
        lines_.push_back(line);
    }
}

std::string IniDocument::encode(const std::string& utf8) const {
    return utf8_ ? utf8 : Windows1252::fromUtf8(utf8);
}

bool IniDocument::nameMatches(const Line& line, const std::string& encodedName) const {
    const std::string name = bytes_.substr(line.nameBegin, line.nameEnd - line.nameBegin);
    if (!utf8_)
        return Windows1252::equalsIgnoringCase(name, encodedName);
    if (name == encodedName)
        return true;
    // In a UTF-8 file, fold case through the code page, but only for names it holds
    // whole: two names it cannot hold would both become "?" and seem equal.
    const std::string a = Windows1252::fromUtf8(name);
    const std::string b = Windows1252::fromUtf8(encodedName);
    return a.find('?') == std::string::npos && b.find('?') == std::string::npos &&
           Windows1252::equalsIgnoringCase(a, b);
}

IniDocument::Found IniDocument::find(const std::string& section, const std::string& key) const {
    const std::string wantedSection = encode(trimmed(section));
    const std::string wantedKey = encode(trimmed(key));
    Found found{npos, npos, npos};
    bool inSection = false;
    bool inFirstSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == LineKind::Section) {
            inSection = nameMatches(line, wantedSection);
            inFirstSection = inSection && found.sectionLine == npos;
            if (inFirstSection)
                found.sectionLine = found.appendAfter = i;
        } else if (line.kind == LineKind::Key && inSection) {
            if (inFirstSection)
                found.appendAfter = i;
            if (found.keyLine == npos && nameMatches(line, wantedKey))
                found.keyLine = i;
        }
    }
    return found;
}

std::optional<std::string> IniDocument::readString(const std::string& section,
                                                   const std::string& key) const {
    const Found found = find(section, key);
    if (found.keyLine == npos)
        return std::nullopt;
    const Line& line = lines_[found.keyLine];
    std::size_t length = std::min(line.valueEnd - line.valueBegin, kMaxValueLength);
    // Never cut a UTF-8 character in two.
    if (utf8_) {
        while (length > 0 && length < line.valueEnd - line.valueBegin &&
               (static_cast<unsigned char>(bytes_[line.valueBegin + length]) & 0xC0) == 0x80)
            --length;
    }
    std::string value = bytes_.substr(line.valueBegin, length);
    if (!utf8_)
        value = Windows1252::toUtf8(value);
    // A value cut at the limit may end in blanks that were inside it.
    value.erase(trimBlanksBack(value, 0, value.size()));
    return value;
}

int IniDocument::readInt(const std::string& section, const std::string& key, int fallback) const {
    const std::optional<std::string> text = readString(section, key);
    if (!text)
        return fallback;
    return parseInt(*text).value_or(fallback);
}

bool IniDocument::readBool(const std::string& section, const std::string& key,
                           bool fallback) const {
    return readInt(section, key, fallback ? 1 : 0) != 0;
}

std::optional<int> IniDocument::parseInt(const std::string& text) {
    constexpr std::int64_t kMax = INT32_MAX;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const auto v = magnitude(text.substr(2), 16, kMax);
        return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
    }
    if (!text.empty() && text[0] == '$') {
        const auto v = magnitude(text.substr(1), 16, kMax);
        return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
    }
    const bool negative = !text.empty() && text[0] == '-';
    const bool sign = negative || (!text.empty() && text[0] == '+');
    const auto v = magnitude(text.substr(sign ? 1 : 0), 10, negative ? kMax + 1 : kMax);
    if (!v)
        return std::nullopt;
    return static_cast<int>(negative ? -*v : *v);
}

std::string IniDocument::lineEnd() const {
    // New lines follow the file's own habit, so that a hand-edited LF file stays LF.
    for (const Line& line : lines_) {
        if (line.terminated)
            return line.end - line.contentEnd == 2 ? "\r\n" : "\n";
    }
    return "\r\n";
}

void IniDocument::setValue(const std::string& section, const std::string& key,
                           const std::string& value) {
    const std::string sectionName = trimmed(section);
    const std::string keyName = trimmed(key);
    const auto breaksLine = [](const std::string& s) {
        return s.find_first_of("\r\n") != std::string::npos;
    };
    // Such a key could be written but never found again.
    if (breaksLine(sectionName) || breaksLine(keyName) || breaksLine(value) || keyName.empty() ||
        keyName[0] == '[' || keyName.find('=') != std::string::npos ||
        sectionName.find(']') != std::string::npos)
        throw std::invalid_argument("INI name or value would break the line: " + key);

    const Found found = find(sectionName, keyName);
    const std::string eol = lineEnd();
    const std::string keyLine = encode(keyName) + "=" + encode(value);
    if (found.keyLine != npos) {
        // Keep the key as the file spells it (and its indent); only the value changes.
        const Line& line = lines_[found.keyLine];
        bytes_.replace(line.nameEnd, line.contentEnd - line.nameEnd, "=" + encode(value));
    } else if (found.sectionLine != npos) {
        const Line& after = lines_[found.appendAfter];
        if (after.terminated)
            bytes_.insert(after.end, keyLine + eol);
        else
            bytes_.insert(after.end, eol + keyLine + eol);
    } else {
        if (!lines_.empty() && !lines_.back().terminated)
            bytes_ += eol;
        bytes_ += "[" + encode(sectionName) + "]" + eol + keyLine + eol;
    }
    parse();
}
