#pragma once

#include <string>

namespace netprobe::testing {

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The directory, ending in a separator, as the host's GetAppPath gives it.
    const std::string& path() const { return path_; }
    // Writes a file into the directory and returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;
    // Makes a subdirectory named `utf8_name` and returns its path as the host's GetAppPath
    // gives it: in the file system's bytes (GBK on Windows, UTF-8 elsewhere), with a separator.
    std::string MakeDir(const std::string& utf8_name) const;
    // Copies a file of tests/fixtures into the directory under `name`.
    std::string CopyFixture(const std::string& fixture, const std::string& name) const;

private:
    std::string path_;
};

std::string ReadFixture(const std::string& fixture);
// Writes a file at a path in the file system's bytes and returns the path.
std::string WriteFile(const std::string& file, const std::string& bytes);

}  // namespace netprobe::testing
