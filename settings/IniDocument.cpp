#include "IniDocument.h"

#include "Windows1252.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
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

// Every search stops at the end of its own line, so the whole file is read once.
void IniDocument::parse() {
    lines_.clear();
    utf8_ = bytes_.compare(0, kBom.size(), kBom) == 0;
    const std::size_t first = utf8_ ? kBom.size() : 0;
    const char* const data = bytes_.data();
    const std::size_t size = bytes_.size();

    // New lines follow the file's own habit, so that a hand-edited LF file stays LF.
    const void* firstNewline = std::memchr(data + first, '\n', size - first);
    if (firstNewline) {
        const std::size_t at = static_cast<const char*>(firstNewline) - data;
        lineEnd_ = at > first && data[at - 1] == '\r' ? "\r\n" : "\n";
    } else {
        lineEnd_ = "\r\n";
    }

    std::size_t pos = first;
    while (pos < size) {
        const void* newline = std::memchr(data + pos, '\n', size - pos);
        const std::size_t lineEnd =
            newline ? static_cast<std::size_t>(static_cast<const char*>(newline) - data) : size;
        const std::size_t start = skipBlanks(bytes_, pos, lineEnd);
        if (start < lineEnd) {
            const bool section = data[start] == '[';
            const void* delimiter = std::memchr(data + start, section ? ']' : '=', lineEnd - start);
            if (delimiter) {
                const std::size_t at = static_cast<const char*>(delimiter) - data;
                // A key needs a name: "=value" alone is not one.
                if (section || trimBlanksBack(bytes_, start, at) > start)
                    lines_.push_back({start, at, section ? LineKind::Section : LineKind::Key});
            }
        }
        pos = newline ? lineEnd + 1 : size;
    }
}

IniDocument::Span IniDocument::nameOf(const Line& line) const {
    const std::size_t begin = line.kind == LineKind::Section
                                  ? skipBlanks(bytes_, line.start + 1, line.delimiter)
                                  : line.start;
    return {begin, trimBlanksBack(bytes_, begin, line.delimiter)};
}

std::size_t IniDocument::contentEndOf(const Line& line) const {
    const std::size_t newline = bytes_.find('\n', line.delimiter);
    if (newline == std::string::npos)
        return bytes_.size();
    return bytes_[newline - 1] == '\r' ? newline - 1 : newline;
}

std::size_t IniDocument::endOf(const Line& line) const {
    const std::size_t newline = bytes_.find('\n', line.delimiter);
    return newline == std::string::npos ? bytes_.size() : newline + 1;
}

std::string IniDocument::encode(const std::string& utf8) const {
    return utf8_ ? utf8 : Windows1252::fromUtf8(utf8);
}

bool IniDocument::nameMatches(const Line& line, const std::string& encodedName) const {
    const Span span = nameOf(line);
    const std::string_view name(bytes_.data() + span.begin, span.end - span.begin);
    if (!utf8_)
        return Windows1252::equalsIgnoringCase(name, encodedName);
    if (name == encodedName)
        return true;
    // In a UTF-8 file, fold case through the code page, but only for names it holds
    // whole: two names it cannot hold would both become "?" and seem equal.
    const std::string a = Windows1252::fromUtf8(std::string(name));
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
        } else if (inSection) {
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
    const std::size_t contentEnd = contentEndOf(line);
    const std::size_t valueBegin = skipBlanks(bytes_, line.delimiter + 1, contentEnd);
    const std::size_t valueLength = trimBlanksBack(bytes_, valueBegin, contentEnd) - valueBegin;
    std::size_t length = std::min(valueLength, kMaxValueLength);
    // Never cut a UTF-8 character in two.
    if (utf8_) {
        while (length > 0 && length < valueLength &&
               (static_cast<unsigned char>(bytes_[valueBegin + length]) & 0xC0) == 0x80)
            --length;
    }
    std::string value = bytes_.substr(valueBegin, length);
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

void IniDocument::shiftLines(std::size_t first, std::ptrdiff_t delta) {
    for (std::size_t i = first; i < lines_.size(); ++i) {
        lines_[i].start += delta;
        lines_[i].delimiter += delta;
    }
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
    const std::string& eol = lineEnd_;
    const std::string encodedKey = encode(keyName);
    const std::string keyLine = encodedKey + "=" + encode(value);
    if (found.keyLine != npos) {
        // Keep the key as the file spells it (and its indent); only the value changes.
        Line& line = lines_[found.keyLine];
        const std::size_t nameEnd = nameOf(line).end;
        const std::size_t contentEnd = contentEndOf(line);
        const std::string replacement = "=" + encode(value);
        bytes_.replace(nameEnd, contentEnd - nameEnd, replacement);
        line.delimiter = nameEnd;
        shiftLines(found.keyLine + 1, static_cast<std::ptrdiff_t>(replacement.size()) -
                                          static_cast<std::ptrdiff_t>(contentEnd - nameEnd));
    } else if (found.sectionLine != npos) {
        const std::size_t after = endOf(lines_[found.appendAfter]);
        const bool terminated = after > 0 && bytes_[after - 1] == '\n';
        const std::string inserted = terminated ? keyLine + eol : eol + keyLine + eol;
        const std::size_t start = terminated ? after : after + eol.size();
        bytes_.insert(after, inserted);
        shiftLines(found.appendAfter + 1, static_cast<std::ptrdiff_t>(inserted.size()));
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(found.appendAfter + 1),
                      Line{start, start + encodedKey.size(), LineKind::Key});
    } else {
        const std::size_t first = utf8_ ? kBom.size() : 0;
        if (bytes_.size() > first && bytes_.back() != '\n')
            bytes_ += eol;
        const std::string header = "[" + encode(sectionName) + "]";
        const std::size_t headerStart = bytes_.size();
        const std::size_t keyStart = headerStart + header.size() + eol.size();
        bytes_ += header + eol + keyLine + eol;
        lines_.push_back({headerStart, headerStart + header.size() - 1, LineKind::Section});
        lines_.push_back({keyStart, keyStart + encodedKey.size(), LineKind::Key});
    }
}

void IniDocument::setInt(const std::string& section, const std::string& key, int value) {
    setValue(section, key, std::to_string(value));
}

void IniDocument::setBool(const std::string& section, const std::string& key, bool value) {
    setValue(section, key, value ? "1" : "0");
}
