// One probe, read from the top: RunProbe starts a THttPTestConnectThread and waits for its
// outcome; the thread's ProbeServer sends a HEAD request for the server's address, directly or
// through the configured proxy, runs the transfer (http_transfer.cpp) and reads why it ended
// (probe_diagnosis_curl.cpp).
#include "conntest/f_HttPTestConnect.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>

#include "conntest/curl_easy.h"
#include "conntest/http_transfer.h"
#include "conntest/probe_address.h"
#include "conntest/probe_diagnosis_curl.h"
#include "conntest/probe_outcome.h"
#include "conntest/probe_peek.h"
#include "conntest/probe_signal.h"
#include "conntest/proxy_options.h"
#include "core/HostFrameLib.h"
#include "core/ascii.h"
#include "core/texts.h"
#include "core/translate.h"

namespace netprobe {
namespace {

using Clock = std::chrono::steady_clock;

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

// Waits until the probe thread publishes its outcome or the backstop passes, letting the host
// process its events meanwhile. Returns false when the caller gives up.
bool WaitForOutcome(Clock::time_point start, std::chrono::milliseconds backstop, ProbeDiagnosis& diagnosis) {
    const ProbeSlots& slots = ProbeOutcome();
    for (;;) {
        if (slots.ProbeDone.load(std::memory_order_acquire)) return true;
        const auto passed = Clock::now() - start;
        if (passed > backstop) {
            diagnosis.cause = ProbeCause::kBackstop;
            diagnosis.detail = TrFormat("gave up waiting after %s ms", static_cast<std::int64_t>(backstop.count()));
            diagnosis.timings.total_ms = std::chrono::duration_cast<std::chrono::milliseconds>(passed).count();
            return false;
        }
        Host().ProcessMessages();
        if (passed < kSpinPhase) {
            // Most probes on a near network end within a few milliseconds: yielding instead
            // of sleeping spares them a wake-up, at the cost of a short busy phase.
            std::this_thread::yield();
            continue;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(backstop - passed) + std::chrono::milliseconds(1);
        Signal().WaitForNotifyOrEvents(std::min(left, kWaitSlice));
    }
}

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

ProbeLimits LimitsFor(std::int32_t timeout) {
    const std::chrono::milliseconds backstop(static_cast<std::int64_t>(timeout) * 1000);
    if (timeout <= 0) return {kUnsetTimeoutLimit, kUnsetTimeoutLimit, kUnsetTimeoutLimit, backstop};
    return {kSystemConnectLimit, std::chrono::milliseconds(timeout), backstop + kRequestGrace, backstop};
}

bool RunProbe(const TServerInfo& server, std::string& message, std::int32_t timeout) {
    return RunProbe(server, message, LimitsFor(timeout));
}

bool RunProbe(const TServerInfo& server, std::string& message, const ProbeLimits& limits, ProbeDiagnosis* diagnosis) {
    ProbeDiagnosis unused;
    ProbeDiagnosis& why = diagnosis ? *diagnosis : unused;
    why = ProbeDiagnosis{};
    InFlightGuard guard;
    if (!guard.owned()) {
        message = texts::ConnectFailed();
        why.detail = Tr("another probe was in flight");
        return false;
    }
    ProbeSlots& slots = ProbeOutcome();
    slots.ProbeResult.store(false);
    slots.ProbeDone.store(false);
    Signal().Reset();

    const Clock::time_point start = Clock::now();
    std::optional<THttPTestConnectThread> thread;
    try {
        thread.emplace(&server, limits);
    } catch (...) {
        why.detail = Tr("no probe thread could be started");
        return false;  // the message stays as it was
    }
    bool result = false;
    if (WaitForOutcome(start, limits.backstop, why)) {
        result = slots.ProbeResult.load(std::memory_order_relaxed);
        message = slots.ProbeMessage;
        why = slots.ProbeWhy;
    } else {
        message = texts::ConnectFailed();
    }
    thread.reset();  // waits for the thread's end
    return result;
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
        result = ProbeServer(*server_, message, limits_, why);
    } catch (...) {
        // Setting up the client failed: report it now rather than leave the caller waiting
        // out its deadline.
        result = false;
        message = texts::ConnectFailed();
        why = ProbeDiagnosis{};
        why.detail = Tr("the probe could not set up its client");
    }
    ProbeSlots& slots = ProbeOutcome();
    slots.ProbeResult.store(result, std::memory_order_relaxed);
    slots.ProbeMessage = std::move(message);
    slots.ProbeWhy = std::move(why);
    slots.ProbeDone.store(true, std::memory_order_release);
    Signal().Notify();
}

namespace {

// How long the exchanges that name another protocol may take after a failed probe, and the
// margin they leave before the caller's backstop.
constexpr std::chrono::milliseconds kRecognizeLimit{400};
constexpr std::chrono::milliseconds kBackstopMargin{200};

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

// What the probe keeps of the answer's head as libcurl hands it over line by line.
struct HeadWatch {
    bool complete = false;  // the last line so far is the empty line that ends the head
    bool started = false;
    AnswerEvidence evidence;
};

// libcurl takes a connection closed in the middle of the head as a complete answer with the
// status it has read; such a half answer is no answer.
size_t WatchHead(char* line, size_t size, size_t count, void* user) {
    const std::string_view text(line, size * count);
    auto& watch = *static_cast<HeadWatch*>(user);
    watch.started = true;
    watch.complete = text == "\r\n" || text == "\n";
    NoteHeaderLine(text, watch.evidence);
    return size * count;
}

// One HTTP/1.1 HEAD request for `address`, no redirects, no body kept.
void SetUpHeadRequest(CURL* c, const std::string& address, const ProbeLimits& limits, char* error_buffer,
                      HeadWatch* head) {
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error_buffer);
    curl_easy_setopt(c, CURLOPT_URL, address.c_str());
    curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, DiscardBody);
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, WatchHead);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, head);
}

bool FailBeforeSending(ProbeCause cause, const char* detail, std::string& message, ProbeDiagnosis& diagnosis) {
    diagnosis.cause = cause;
    diagnosis.detail = detail;
    message = texts::ConnectFailed();
    return false;
}

}  // namespace

bool THttPTestConnectThread::ProbeServer(const TServerInfo& server_ref, std::string& message, const ProbeLimits& limits,
                                         ProbeDiagnosis& diagnosis) {
    const Clock::time_point start = Clock::now();
    const TServerInfo server = server_ref;  // private copy
    diagnosis = ProbeDiagnosis{};
    GlobalInit();
    const std::optional<std::string> address = BuildProbeAddress(server);
    if (!address) {
        return FailBeforeSending(ProbeCause::kNoServerAddress, Tr("the server entry names no host"), message,
                                 diagnosis);
    }
    EasyHandle curl(curl_easy_init());
    if (!curl) return FailBeforeSending(ProbeCause::kOther, Tr("libcurl could not make a handle"), message, diagnosis);
    CURL* c = curl.get();
    char error_buffer[CURL_ERROR_SIZE] = "";
    HeadWatch head;
    SetUpHeadRequest(c, *address, limits, error_buffer, &head);
    if (!SetUpProxy(c, server)) {
        return FailBeforeSending(ProbeCause::kNoProxyAddress, Tr("the proxy setting names no usable host or port"),
                                 message, diagnosis);
    }
    TransferFacts facts;
    facts.code = PerformWithin(c, limits.read, limits.request, &facts.stop);
    facts.head_complete = head.complete;
    facts.answer_started = head.started;
    facts.error_buffer = error_buffer;
    facts.evidence = std::move(head.evidence);
    const CURLcode code = facts.code == CURLE_OK && !head.complete ? CURLE_RECV_ERROR : facts.code;
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    DiagnoseTransfer(c, server, facts, diagnosis);
    // Naming another protocol takes a little more time: only what is left before the caller
    // gives up, so that the outcome is the same with it as without.
    const auto left =
        limits.backstop - kBackstopMargin - std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    if (left > kRecognizeLimit / 4)
        RecognizeOtherProtocol(server, *address, std::min(left, kRecognizeLimit), diagnosis);
    const std::optional<std::string> failure = FailureMessageFor(code, status);
    if (failure) message = *failure;
    return !failure;
}

}  // namespace netprobe
