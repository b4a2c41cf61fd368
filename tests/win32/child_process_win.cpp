#include "child_process_win.h"

namespace netprobe::testing {
namespace {

// Handles closed with the object.
class Handle {
public:
    explicit Handle(HANDLE h = nullptr) : h_(h) {}
    ~Handle() { Close(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE* out() { return &h_; }
    HANDLE get() const { return h_; }
    void Close() {
        if (h_) CloseHandle(h_);
        h_ = nullptr;
    }

private:
    HANDLE h_;
};

std::string TestDirectory() {
    char exe[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string dir(exe, length);
    dir.resize(dir.find_last_of('\\') + 1);
    return dir;
}

}  // namespace

ChildRun RunBesideTest(const std::string& program, const std::string& args) {
    std::string command = "\"" + TestDirectory() + program + "\" " + args;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    Handle read_end, write_end;
    ChildRun run;
    if (!CreatePipe(read_end.out(), write_end.out(), &inherit, 0)) return run;
    SetHandleInformation(read_end.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_end.get();
    startup.hStdError = write_end.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        run.exit_code = 9999;
        return run;
    }
    Handle process_handle(process.hProcess), thread_handle(process.hThread);
    write_end.Close();
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(read_end.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
        run.output.append(buffer, got);
    WaitForSingleObject(process_handle.get(), INFINITE);
    GetExitCodeProcess(process_handle.get(), &run.exit_code);
    return run;
}

}  // namespace netprobe::testing
