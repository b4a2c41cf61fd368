#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include "tests/support/terminal_child.h"

namespace netprobe::testing {
namespace {

// Reads the terminal's side until the program has closed it, at most until `deadline`.
// Returns false when the deadline passed first.
bool Drain(int terminal, std::chrono::steady_clock::time_point deadline, std::string& out) {
    char buffer[4096];
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{terminal, POLLIN, 0};
        if (poll(&ready, 1, 200) <= 0) continue;
        const ssize_t got = read(terminal, buffer, sizeof buffer);
        // EIO: every descriptor of the program's side is closed.
        if (got <= 0) return true;
        out.append(buffer, static_cast<std::size_t>(got));
    }
    return false;
}

}  // namespace

ChildRun RunOnTerminal(const std::string& program, const std::vector<std::string>& args, unsigned short columns) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    termios raw{};
    cfmakeraw(&raw);
    winsize size{};
    size.ws_row = 24;
    size.ws_col = columns;
    ChildRun run;
    int terminal = -1;
    const pid_t pid = forkpty(&terminal, nullptr, &raw, &size);
    if (pid < 0) return run;
    if (pid == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    const bool ended = Drain(terminal, std::chrono::steady_clock::now() + std::chrono::minutes(1), run.out);
    if (!ended) kill(pid, SIGKILL);
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status) && ended) run.exit_code = WEXITSTATUS(status);
    close(terminal);
    return run;
}

}  // namespace netprobe::testing
