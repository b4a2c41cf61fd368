#include "tools/report_window/report_export_win.h"

#include <commdlg.h>

#include <cstring>

#include "core/translate.h"
#include "core/wide_text.h"
#include "tools/report_window/report_summary.h"

namespace netprobe::cli {
namespace {

// Owns the global memory until the clipboard takes it.
struct GlobalText {
    HGLOBAL handle = nullptr;
    ~GlobalText() {
        if (handle) GlobalFree(handle);
    }
};

struct FileHandle {
    HANDLE handle;
    ~FileHandle() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};

}  // namespace

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

bool CopyToClipboard(HWND owner, const std::string& utf8) {
    const std::wstring text = Utf8ToWide(WithCrLf(utf8));
    GlobalText memory;
    memory.handle = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    if (!memory.handle) return false;
    void* bytes = GlobalLock(memory.handle);
    if (!bytes) return false;
    std::memcpy(bytes, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(memory.handle);
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, memory.handle) != nullptr;
    if (placed) memory.handle = nullptr;  // the clipboard owns it now
    CloseClipboard();
    return placed;
}

std::wstring AskSavePath(HWND owner, const std::wstring& suggested) {
    wchar_t path[MAX_PATH] = {};
    suggested.copy(path, MAX_PATH - 1);
    // Pairs of a name and a pattern, each ending in a zero, and one zero more after them.
    std::wstring filter = Utf8ToWide(Tr("Text files (*.txt)"));
    filter += std::wstring(1, L'\0') + L"*.txt" + L'\0' + Utf8ToWide(Tr("All files")) + L'\0' + L"*.*" + L'\0';
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&dialog)) return L"";
    return path;
}

DWORD SaveTextFile(const std::wstring& path, const std::string& utf8) {
    const std::string bytes = "\xEF\xBB\xBF" + WithCrLf(utf8);
    FileHandle file{
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.handle == INVALID_HANDLE_VALUE) return GetLastError();
    DWORD written = 0;
    if (!WriteFile(file.handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return GetLastError();
    return written == bytes.size() ? 0 : ERROR_WRITE_FAULT;
}

std::wstring TodaysReportName() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return Utf8ToWide(SavedReportName(now.wYear, now.wMonth, now.wDay));
}

}  // namespace netprobe::cli
