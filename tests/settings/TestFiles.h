#pragma once

#include <functional>
#include <string>
#include <vector>

// A fresh folder, removed with everything in it at the end of the test. Under /tmp by
// default, on disk where every write is flushed for real; tests that write thousands of
// files use /dev/shm.
class TempFolder {
public:
    explicit TempFolder(const std::string& parent = "/tmp");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Names in the folder, sorted, so a test can see that no temporary file remains.
    std::vector<std::string> names() const;

private:
    std::string path_;
};

// Names in any folder, sorted.
std::vector<std::string> namesIn(const std::string& folder);

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// Runs the body in a forked child and returns its exit status (or 128 + signal).
// With asNobody, a root child first becomes user and group 65534, so that permission
// bits bind it as they bind any user.
int runInChild(const std::function<int()>& body, bool asNobody = false);
