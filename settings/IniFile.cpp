#include "IniFile.h"

#include "SafeFile.h"

IniDocument IniFile::read() const {
    std::string bytes;
    if (SafeFile::read(path_, bytes) != SafeFile::ReadResult::Read)
        bytes.clear();
    return IniDocument(std::move(bytes));
}

void IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    std::string bytes;
    bool truncated = false;
    const SafeFile::ReadResult result = SafeFile::read(path_, bytes, &truncated);
    // Rewriting a file we could not read whole would lose what we did not see.
    if (result == SafeFile::ReadResult::Failed || truncated)
        throw IniWriteError(path_);
    IniDocument document(std::move(bytes));
    document.setValue(section, key, value);
    SafeFile::replace(path_, document.bytes());
}

void IniFile::writeInt(const std::string& section, const std::string& key, int value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}
