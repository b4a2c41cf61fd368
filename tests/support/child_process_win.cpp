#include "tests/support/child_process_win.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace netprobe::testing {
namespace {

namespace fs = std::filesystem;

std::wstring Wide(const std::string& utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())).wstring(); }

// A handle closed with the object.
class Handle {
public:
    explicit Handle(HANDLE h) : h_(h) {}
    ~Handle() {
        if (h_ && h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return h_; }

private:
    HANDLE h_;
};

HANDLE OpenInherited(const std::wstring& path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, disposition,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// One argument in double quotes, as the C runtime splits a command line: backslashes are
// literal except before a quote, so those before an inner quote or the closing one double.
std::wstring Quoted(const std::wstring& arg) {
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out.push_back(c);
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::wstring CommandLine(const std::string& program, const std::vector<std::string>& args) {
    std::wstring line = Quoted(Wide(program));
    for (const std::string& arg : args) line += L" " + Quoted(Wide(arg));
    return line;
}

int RunWithHandles(const std::wstring& command_line, HANDLE in, HANDLE out, HANDLE err) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in;
    startup.hStdOutput = out;
    startup.hStdError = err;
    PROCESS_INFORMATION process{};
    std::wstring line = command_line;
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    Handle process_handle(process.hProcess), thread_handle(process.hThread);
    if (WaitForSingleObject(process.hProcess, 60000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<int>(code);
}

ChildRun RunChild(const std::string& program, const std::vector<std::string>& args) {
    TempDir dir;
    const fs::path out = fs::path(dir.path()) / "out", err = fs::path(dir.path()) / "err";
    ChildRun run;
    {
        Handle in(OpenInherited(L"NUL", GENERIC_READ, OPEN_EXISTING));
        Handle out_file(OpenInherited(out.wstring(), GENERIC_WRITE, CREATE_ALWAYS));
        Handle err_file(OpenInherited(err.wstring(), GENERIC_WRITE, CREATE_ALWAYS));
        run.exit_code = RunWithHandles(CommandLine(program, args), in.get(), out_file.get(), err_file.get());
    }
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
}

std::string FileBeside(const std::string& file_name) {
    std::wstring path(MAX_PATH * 4, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    const std::u8string utf8 = (fs::path(path).parent_path() / Wide(file_name)).u8string();
    return std::string(utf8.begin(), utf8.end());
}

std::string ProgramBeside(const std::string& name) { return FileBeside(name + ".exe"); }

}  // namespace netprobe::testing
