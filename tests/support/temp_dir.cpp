#include "tests/support/temp_dir.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "core/gbk.h"

namespace netprobe::testing {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path dir = fs::temp_directory_path() / ("netprobe-test-" + std::to_string(rd()));
        if (fs::create_directory(dir)) {
            path_ = dir.string() + static_cast<char>(fs::path::preferred_separator);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary directory");
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
    return WriteFile(path_ + name, bytes);
}

std::string WriteFile(const std::string& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    return file;
}

std::string TempDir::MakeDir(const std::string& utf8_name) const {
    const std::u8string name(utf8_name.begin(), utf8_name.end());
    fs::create_directory(fs::path(path_) / fs::path(name));
#ifdef _WIN32
    return path_ + Utf8ToGbk(utf8_name) + '\\';
#else
    return path_ + utf8_name + '/';
#endif
}

std::string ReadFixture(const std::string& fixture) {
    std::ifstream in(std::string(NETPROBE_FIXTURES_DIR) + "/" + fixture, std::ios::binary);
    if (!in) throw std::runtime_error("missing fixture " + fixture);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string TempDir::CopyFixture(const std::string& fixture, const std::string& name) const {
    return Write(name, ReadFixture(fixture));
}

}  // namespace netprobe::testing
