#include "conntest/f_HttPTestConnect.h"

#include <chrono>

#include "conntest/probe_signal.h"
#include "core/HostFrameLib.h"
#include "core/ascii.h"
#include "core/texts.h"

namespace netprobe {
namespace {

ProbeSignal& Signal() {
    static ProbeSignal signal;
    return signal;
}

std::atomic<bool> g_probe_in_flight{false};

// Marks the module's single probe as in flight for the scope that owns it.
class InFlightGuard {
public:
    InFlightGuard() : owned_(!g_probe_in_flight.exchange(true, std::memory_order_acq_rel)) {}
    ~InFlightGuard() {
        if (owned_) g_probe_in_flight.store(false, std::memory_order_release);
    }
    InFlightGuard(const InFlightGuard&) = delete;
    InFlightGuard& operator=(const InFlightGuard&) = delete;
    bool owned() const { return owned_; }

private:
    bool owned_;
};

}  // namespace

ProbeSlots& ProbeOutcome() {
    static ProbeSlots slots;
    return slots;
}

std::string MapProxyMode(std::string_view mode) {
    while (!mode.empty() && static_cast<unsigned char>(mode.front()) <= 32) mode.remove_prefix(1);
    while (!mode.empty() && static_cast<unsigned char>(mode.back()) <= 32) mode.remove_suffix(1);
    const std::string folded = AsciiLowerCopy(mode);
    if (folded == "1" || folded == "socket4") return "1";
    if (folded == "2" || folded == "socket5") return "2";
    return "0";
}

std::optional<std::string> BuildProbeAddress(const TServerInfo& server) {
    std::string host = AsciiLowerCopy(server.Host);
    static constexpr std::string_view kScheme = "http://";
    if (auto at = host.find(kScheme); at != std::string::npos) host.erase(0, at + kScheme.size());
    if (!host.empty() && host.back() == '/') host.pop_back();
    if (host.empty()) return std::nullopt;
    std::string address = std::string(kScheme) + host + ":" + server.PortText;
    if (!server.Action.empty()) address += "/" + server.Action;
    return address;
}

ProbeLimits LimitsFor(std::int32_t timeout) {
    const std::chrono::milliseconds backstop(static_cast<std::int64_t>(timeout) * 1000);
    if (timeout <= 0) return {kUnsetTimeoutLimit, kUnsetTimeoutLimit, kUnsetTimeoutLimit, backstop};
    return {kSystemConnectLimit, std::chrono::milliseconds(timeout), backstop + kRequestGrace, backstop};
}

THttPTestConnectThread::THttPTestConnectThread(const TServerInfo* server, const ProbeLimits& limits)
    : server_(server), limits_(limits), thread_([this] { Execute(); }) {}

THttPTestConnectThread::~THttPTestConnectThread() {
    if (thread_.joinable()) thread_.join();
}

void THttPTestConnectThread::Execute() {
    bool result = false;
    std::string message;
    ProbeDiagnosis why;
    try {
        result = ProbeServer(*server_, message, limits_, &why);
    } catch (...) {
        // Setting up the client failed: report it now rather than leave the caller waiting
        // out its deadline.
        result = false;
        message = texts::ConnectFailed();
        why = ProbeDiagnosis{};
        why.detail = "the probe could not set up its client";
    }
    ProbeSlots& slots = ProbeOutcome();
    slots.ProbeResult.store(result, std::memory_order_relaxed);
    slots.ProbeMessage = std::move(message);
    slots.ProbeWhy = std::move(why);
    slots.ProbeDone.store(true, std::memory_order_release);
    Signal().Notify();
}

bool RunProbe(const TServerInfo& server, std::string& message, std::int32_t timeout) {
    ProbeDiagnosis unused;
    return RunProbe(server, message, LimitsFor(timeout), unused);
}

bool RunProbe(const TServerInfo& server, std::string& message, const ProbeLimits& limits) {
    ProbeDiagnosis unused;
    return RunProbe(server, message, limits, unused);
}

bool RunProbe(const TServerInfo& server, std::string& message, std::int32_t timeout, ProbeDiagnosis& diagnosis) {
    return RunProbe(server, message, LimitsFor(timeout), diagnosis);
}

bool RunProbe(const TServerInfo& server, std::string& message, const ProbeLimits& limits, ProbeDiagnosis& diagnosis) {
    diagnosis = ProbeDiagnosis{};
    InFlightGuard guard;
    if (!guard.owned()) {
        message = texts::ConnectFailed();
        diagnosis.detail = "another probe was in flight";
        return false;
    }
    ProbeSlots& slots = ProbeOutcome();
    slots.ProbeResult.store(false);
    slots.ProbeDone.store(false);
    Signal().Reset();

    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const auto limit = limits.backstop;

    std::optional<THttPTestConnectThread> thread;
    try {
        thread.emplace(&server, limits);
    } catch (...) {
        diagnosis.detail = "no probe thread could be started";
        return false;  // the message stays as it was
    }
    bool result = false;
    for (;;) {
        if (slots.ProbeDone.load(std::memory_order_acquire)) {
            result = slots.ProbeResult.load(std::memory_order_relaxed);
            message = slots.ProbeMessage;
            diagnosis = slots.ProbeWhy;
            break;
        }
        const auto passed = Clock::now() - start;
        if (passed > limit) {
            thread->Terminate();
            message = texts::ConnectFailed();
            diagnosis.cause = ProbeCause::kBackstop;
            diagnosis.detail = "gave up waiting after " + std::to_string(limit.count()) + " ms";
            diagnosis.timings.total_ms = std::chrono::duration_cast<std::chrono::milliseconds>(passed).count();
            break;
        }
        Host().ProcessMessages();
        if (passed < kSpinPhase) {
            // Most probes on a near network end within a few milliseconds: yielding instead
            // of sleeping spares them a wake-up, at the cost of a short busy phase.
            std::this_thread::yield();
            continue;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(limit - passed) + std::chrono::milliseconds(1);
        Signal().WaitForNotifyOrEvents(std::min(left, kWaitSlice));
    }
    thread->Terminate();
    thread.reset();  // waits for the thread's end
    return result;
}

}  // namespace netprobe
