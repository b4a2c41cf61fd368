// The binaries that ship carry a version resource with the project version.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/wide_text.h"
#include "netprobe_version.h"
#include "tests/support/child_process.h"

namespace netprobe {
namespace {

class VersionInfo {
public:
    explicit VersionInfo(const std::wstring& file) {
        const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
        data_.resize(size);
        if (size == 0 || !GetFileVersionInfoW(file.c_str(), 0, size, data_.data())) data_.clear();
    }
    bool ok() const { return !data_.empty(); }

    const VS_FIXEDFILEINFO* Fixed() const {
        void* value = nullptr;
        UINT length = 0;
        if (!ok() || !VerQueryValueW(data_.data(), L"\\", &value, &length)) return nullptr;
        return static_cast<const VS_FIXEDFILEINFO*>(value);
    }

    // A value of the US English, UTF-16 string table.
    std::wstring String(const wchar_t* name) const {
        void* value = nullptr;
        UINT length = 0;
        const std::wstring path = std::wstring(L"\\StringFileInfo\\040904b0\\") + name;
        if (!ok() || !VerQueryValueW(data_.data(), path.c_str(), &value, &length) || length == 0) return {};
        return std::wstring(static_cast<const wchar_t*>(value));
    }

private:
    std::vector<unsigned char> data_;
};

TEST(VersionResource, ModuleAndToolCarryTheProjectVersion) {
    const std::wstring version = Utf8ToWide(NETPROBE_VERSION);
    struct Case {
        const wchar_t* file;
        DWORD type;
    };
    for (const Case& c : {Case{L"netprobe.exe", VFT_APP}, Case{L"netprobe.dll", VFT_DLL}}) {
        const VersionInfo info(Utf8ToWide(testing::FileBeside(WideToUtf8(c.file))));
        ASSERT_TRUE(info.ok()) << "no version resource in " << WideToUtf8(c.file);
        const VS_FIXEDFILEINFO* fixed = info.Fixed();
        ASSERT_NE(fixed, nullptr);
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(NETPROBE_VERSION_MINOR, NETPROBE_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, NETPROBE_VERSION_PATCH)));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(fixed->dwFileType, c.type);
        EXPECT_EQ(info.String(L"FileVersion"), version);
        EXPECT_EQ(info.String(L"ProductVersion"), version);
        EXPECT_EQ(info.String(L"ProductName"), L"netprobe");
        EXPECT_EQ(info.String(L"InternalName"), L"netprobe");
        EXPECT_EQ(info.String(L"OriginalFilename"), c.file);
        EXPECT_NE(info.String(L"FileDescription").find(L"netprobe"), std::wstring::npos);
        EXPECT_NE(info.String(L"LegalCopyright").find(L"netprobe"), std::wstring::npos);
    }
}

}  // namespace
}  // namespace netprobe
