#include "IniFile.h"

#include "SafeFile.h"

IniDocument IniFile::read() const {
    std::string bytes;
    if (SafeFile::read(path_, bytes) != SafeFile::ReadResult::Read)
        bytes.clear();
    return IniDocument(std::move(bytes));
}

void IniFile::update(const std::function<void(IniDocument&)>& edit) {
    std::string bytes;
    bool truncated = false;
    const SafeFile::ReadResult result = SafeFile::read(path_, bytes, &truncated);
    // Rewriting a file we could not read whole would lose what we did not see.
    if (result == SafeFile::ReadResult::Failed || truncated)
        throw IniWriteError(path_);
    IniDocument document(std::move(bytes));
    edit(document);
    SafeFile::replace(path_, document.bytes());
}

void IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    update([&](IniDocument& ini) { ini.setValue(section, key, value); });
}

void IniFile::writeInt(const std::string& section, const std::string& key, int value) {
    update([&](IniDocument& ini) { ini.setInt(section, key, value); });
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
    update([&](IniDocument& ini) { ini.setBool(section, key, value); });
}
