// libcurl has a read time-out in whole seconds only (its low-speed limit), and a total
// time-out is another rule: a live server whose answer comes in parts, each within the
// time-out, must pass. The transfer therefore runs on the multi interface, which tells after
// each wait whether anything happened on the connection.
//
// The read limit starts once the connection is open. Resolving the name and the TCP connect
// have no read in them: they end by the connect limit set on the handle (the system's, not
// one derived from the read time-out) or by the request limit. From the open connection on,
// every wait for a byte is a read, the replies of a proxy's handshake included.
//
// A limit that ends the transfer while the name resolves does not wait for the resolution:
// libcurl leaves its resolver thread to end by itself (CURLOPT_QUICK_EXIT), however long the
// system's resolver takes, and the code that thread runs stays loaded from then on.
#include "conntest/http_transfer.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <memory>

#include "conntest/code_pin.h"
#include "conntest/connection_watch.h"

namespace netprobe {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
using MultiHandle = std::unique_ptr<CURLM, MultiDeleter>;

// The easy handle attached to the multi handle for the scope.
class Attachment {
public:
    Attachment(CURLM* multi, CURL* easy)
        : multi_(multi), easy_(easy), attached_(curl_multi_add_handle(multi, easy) == CURLM_OK) {}
    ~Attachment() {
        if (attached_) curl_multi_remove_handle(multi_, easy_);
    }
    Attachment(const Attachment&) = delete;
    Attachment& operator=(const Attachment&) = delete;
    bool attached() const { return attached_; }

private:
    CURLM* multi_;
    CURL* easy_;
    bool attached_;
};

CURLcode FinishedResult(CURLM* multi) {
    int left = 0;
    while (CURLMsg* msg = curl_multi_info_read(multi, &left)) {
        if (msg->msg == CURLMSG_DONE) return msg->data.result;
    }
    return CURLE_RECV_ERROR;
}

// Milliseconds for curl_multi_wait: at least 1, so that a wait never turns into a spin.
int WaitMs(milliseconds left) { return static_cast<int>(std::clamp<milliseconds::rep>(left.count(), 1, INT_MAX)); }

// Whether the transfer ended before its name was resolved, with the resolver thread possibly
// still at work: not because the address was unusable (no resolution began) nor because the
// name does not resolve (the resolution ended).
bool EndedWhileResolving(CURL* easy, CURLcode code) {
    for (CURLcode settled : {CURLE_OK, CURLE_URL_MALFORMAT, CURLE_UNSUPPORTED_PROTOCOL, CURLE_COULDNT_RESOLVE_HOST,
                             CURLE_COULDNT_RESOLVE_PROXY}) {
        if (code == settled) return false;
    }
    curl_off_t resolved_us = 0;  // libcurl records at least 1 once the name is resolved
    return curl_easy_getinfo(easy, CURLINFO_NAMELOOKUP_TIME_T, &resolved_us) == CURLE_OK && resolved_us == 0;
}

CURLcode Run(CURL* easy, milliseconds read, milliseconds request, TransferStop* stop) {
    ConnectionWatch watch(easy);  // first: the multi handle closes its sockets through it
    MultiHandle multi(curl_multi_init());
    if (!multi) return CURLE_OUT_OF_MEMORY;
    Attachment attachment(multi.get(), easy);
    if (!attachment.attached()) return CURLE_FAILED_INIT;
    const Clock::time_point start = Clock::now();
    Clock::time_point last_event = start;
    bool open = false;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) return CURLE_RECV_ERROR;
        if (running == 0) return FinishedResult(multi.get());
        const Clock::time_point now = Clock::now();
        if (!open) {
            open = watch.Open();
            last_event = now;  // the first read's wait starts with the open connection
        }
        const auto quiet = std::chrono::duration_cast<milliseconds>(now - last_event);
        const auto passed = std::chrono::duration_cast<milliseconds>(now - start);
        if (quiet >= read || passed >= request) {
            if (stop) *stop = passed >= request ? TransferStop::kRequestLimit : TransferStop::kReadLimit;
            return CURLE_OPERATION_TIMEDOUT;
        }
        const int wait_ms = WaitMs(std::min(read - quiet, request - passed));
        int events = 0;
        if (curl_multi_wait(multi.get(), nullptr, 0, wait_ms, &events) != CURLM_OK) return CURLE_RECV_ERROR;
        if (events > 0) last_event = Clock::now();
    }
}

}  // namespace

CURLcode PerformWithin(CURL* easy, milliseconds read, milliseconds request, TransferStop* stop) {
    curl_easy_setopt(easy, CURLOPT_QUICK_EXIT, 1L);
    const CURLcode code = Run(easy, read, request, stop);
    if (EndedWhileResolving(easy, code)) PinCurlCode();
    return code;
}

}  // namespace netprobe
