#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tests/support/child_process.h"
#include "tests/support/temp_dir.h"

namespace netprobe::testing {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Between fork and exec: no allocation, the argument vector is built before.
[[noreturn]] void ExecChild(char* const* argv, const std::string& out, const std::string& err) {
    const int in_fd = open("/dev/null", O_RDONLY);
    const int out_fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err_fd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in_fd < 0 || out_fd < 0 || err_fd < 0) _exit(127);
    dup2(in_fd, 0);
    dup2(out_fd, 1);
    dup2(err_fd, 2);
    execv(argv[0], argv);
    _exit(127);
}

}  // namespace

ChildRun RunChild(const std::string& program, const std::vector<std::string>& args) {
    TempDir dir;
    const std::string out = dir.path() + "out", err = dir.path() + "err";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ChildRun run;
    const pid_t pid = fork();
    if (pid < 0) return run;
    if (pid == 0) ExecChild(argv.data(), out, err);
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status)) run.exit_code = WEXITSTATUS(status);
    run.out = ReadFile(out);
    run.err = ReadFile(err);
    return run;
}

std::string FileBeside(const std::string& file_name) {
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path() / file_name).string();
}

std::string ProgramBeside(const std::string& name) { return FileBeside(name); }

}  // namespace netprobe::testing
