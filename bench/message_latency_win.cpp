// How late the waiting thread handles the host's window messages while a probe runs.
//
// The origin holds its answer for about one second; meanwhile a second thread posts
// timestamped messages to a window that lives on the thread waiting inside RunProbe. The
// window procedure notes when each one is handled. The delay from post to handling is what a
// host's window feels while the module waits (target: at most 10 ms).
#include <windows.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "conntest/f_HttPTestConnect.h"
#include "tests/support/loopback/http_origin.h"

namespace netprobe::bench {
namespace {

using Clock = std::chrono::steady_clock;
constexpr UINT kStamp = WM_APP + 1;
constexpr size_t kMessages = 80;  // one every 10 ms: the posts end well inside the 1 s hold
constexpr auto kGap = std::chrono::milliseconds(10);

struct Stamps {
    std::array<Clock::time_point, kMessages> posted{};
    std::array<Clock::time_point, kMessages> handled{};
};

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

LRESULT CALLBACK StampProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kStamp) {
        auto* stamps = reinterpret_cast<Stamps*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        const auto index = static_cast<size_t>(wparam);
        if (stamps && index < kMessages) {
            stamps->handled[index] = Clock::now();
        }
        return 0;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

HWND MakeWindow(Stamps& stamps) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = StampProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "netprobe_latency_bench";
    RegisterClassA(&wc);
    HWND window =
        CreateWindowExA(0, wc.lpszClassName, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
    if (window) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&stamps));
    return window;
}

// Posts kMessages stamped messages to `window` from a second thread, 10 ms apart, while
// `wait` runs on this thread; returns the post-to-handling delays of those posted before
// `wait` returned (one left for later counts with its whole delay), sorted.
template <typename Wait>
std::vector<double> Measure(HWND window, Stamps& stamps, Wait wait) {
    stamps = Stamps{};
    std::thread poster([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // the wait has begun by now
        for (size_t i = 0; i < kMessages; ++i) {
            stamps.posted[i] = Clock::now();
            PostMessageA(window, kStamp, static_cast<WPARAM>(i), 0);
            std::this_thread::sleep_for(kGap);
        }
    });
    wait();
    const auto end = Clock::now();
    poster.join();
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    std::vector<double> delays;
    for (size_t i = 0; i < kMessages; ++i) {
        if (stamps.posted[i] < end) delays.push_back(Ms(stamps.handled[i] - stamps.posted[i]));
    }
    std::sort(delays.begin(), delays.end());
    return delays;
}

// The baseline: a plain message loop, as a host's idle thread runs it.
void PlainLoop(std::chrono::milliseconds length) {
    const auto until = Clock::now() + length;
    for (auto now = Clock::now(); now < until; now = Clock::now()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - now);
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(left.count()), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}

void Report(const char* what, const std::vector<double>& delays) {
    std::printf("  %-34s %2zu messages, median %.2f ms, max %.2f ms\n", what, delays.size(), delays[delays.size() / 2],
                delays.back());
}

int Run() {
    testing::HttpOrigin origin;
    origin.SetDelay(std::chrono::milliseconds(1000));
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(origin.port());
    server.Action = "bench";

    Stamps stamps;
    HWND window = MakeWindow(stamps);
    if (!window) {
        std::printf("cannot create the window (error %lu)\n", GetLastError());
        return 1;
    }
    const auto idle = Measure(window, stamps, [] { PlainLoop(std::chrono::milliseconds(1000)); });
    bool ok = false;
    const auto probing = Measure(window, stamps, [&] {
        std::string message;
        ok = RunProbe(server, message, 5000);
    });
    DestroyWindow(window);
    if (idle.empty() || probing.empty()) {
        std::printf("no message was posted during a wait\n");
        return 1;
    }
    std::printf("post-to-handling delay of window messages on the waiting thread (a probe held about 1 s%s):\n",
                ok ? "" : ", the probe FAILED");
    Report("plain message loop (baseline)", idle);
    Report("inside RunProbe", probing);
    std::printf("  ratio of medians RunProbe / plain loop = %.2f; RunProbe's max %.2f ms (target <= 10 ms)\n",
                probing[probing.size() / 2] / std::max(idle[idle.size() / 2], 0.001), probing.back());
    return ok ? 0 : 1;
}

}  // namespace
}  // namespace netprobe::bench

int main() { return netprobe::bench::Run(); }
