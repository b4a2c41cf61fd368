// One probe on libcurl: a HEAD request for the server's address, directly or through the
// configured proxy, and the outcome in the module's words.
#include "conntest/http_probe.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>
#include <string_view>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/http_transfer.h"
#include "conntest/probe_diagnosis_curl.h"
#include "conntest/proxy_address.h"
#include "core/texts.h"

namespace netprobe {
namespace {

struct EasyDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

// Returns false when the proxy can't be used as written: the probe then fails.
bool SetUpProxy(CURL* curl, const TServerInfo& server) {
    curl_easy_setopt(curl, CURLOPT_NOPROXY, "");  // the environment's proxy settings never apply
    if (!server.ProxyEnabled || server.ProxyKind > 2) {
        return curl_easy_setopt(curl, CURLOPT_PROXY, "") == CURLE_OK;
    }
    // An empty proxy host would mean "no proxy" to libcurl: it is no host name, and the probe
    // fails instead of quietly going direct.
    const std::optional<std::string> url = ProxyUrl(server);
    if (!url || curl_easy_setopt(curl, CURLOPT_PROXY, url->c_str()) != CURLE_OK) return false;
    if (server.ProxyAuth) {
        const std::string credentials = PercentEncode(server.ProxyUserName) + ":" + PercentEncode(server.ProxyPass);
        curl_easy_setopt(curl, CURLOPT_PROXYUSERPWD, credentials.c_str());
        curl_easy_setopt(curl, CURLOPT_PROXYAUTH, CURLAUTH_BASIC);
        curl_easy_setopt(curl, CURLOPT_SOCKS5_AUTH, CURLAUTH_BASIC);
    } else {
        curl_easy_setopt(curl, CURLOPT_SOCKS5_AUTH, CURLAUTH_NONE);
    }
    return true;
}

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

// Whether the answer's head arrived whole: its last line so far is the empty line that ends
// it. libcurl takes a connection closed in the middle of the head as a complete answer with
// the status it has read; such a half answer is no answer.
size_t WatchHeadEnd(char* line, size_t size, size_t count, void* user) {
    const std::string_view text(line, size * count);
    *static_cast<bool*>(user) = text == "\r\n" || text == "\n";
    return size * count;
}

}  // namespace

std::string PercentEncode(const std::string& bytes) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                          c == '.' || c == '_' || c == '~';
        if (unreserved) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}

bool ClassifyProbeOutcome(int curl_code, long status, std::string& message) {
    if (curl_code == CURLE_OK && status >= 200 && status <= 299) return false;
    if (curl_code == CURLE_OK && status > 0) {
        message = texts::StatusMessage(status);
    } else if (curl_code == CURLE_OPERATION_TIMEDOUT) {
        message = texts::ConnectTimeout();
    } else {
        message = texts::ConnectFailed();
    }
    return true;
}

bool THttPTestConnectThread::ProbeServer(const TServerInfo& server_ref, std::string& message, const ProbeLimits& limits,
                                         ProbeDiagnosis* diagnosis) {
    const TServerInfo server = server_ref;  // private copy
    ProbeDiagnosis unused;
    ProbeDiagnosis& d = diagnosis ? *diagnosis : unused;
    d = ProbeDiagnosis{};
    GlobalInit();
    std::optional<std::string> address = BuildProbeAddress(server);
    if (!address) {
        d.cause = ProbeCause::kNoServerAddress;
        d.detail = "the server entry names no host";
        message = texts::ConnectFailed();
        return false;
    }
    EasyHandle curl(curl_easy_init());
    if (!curl) {
        d.detail = "libcurl could not make a handle";
        message = texts::ConnectFailed();
        return false;
    }
    CURL* c = curl.get();
    char error_buffer[CURL_ERROR_SIZE] = "";
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error_buffer);
    curl_easy_setopt(c, CURLOPT_URL, address->c_str());
    curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, DiscardBody);
    bool head_complete = false;
    curl_easy_setopt(c, CURLOPT_HEADERFUNCTION, WatchHeadEnd);
    curl_easy_setopt(c, CURLOPT_HEADERDATA, &head_complete);
    if (!SetUpProxy(c, server)) {
        d.cause = ProbeCause::kNoProxyAddress;
        d.detail = "the proxy setting names no usable host or port";
        message = texts::ConnectFailed();
        return false;
    }
    TransferFacts facts;
    facts.code = PerformWithin(c, limits.read, limits.request, &facts.stop);
    facts.head_complete = head_complete;
    facts.error_buffer = error_buffer;
    CURLcode code = facts.code;
    if (code == CURLE_OK && !head_complete) code = CURLE_RECV_ERROR;
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    const bool failed = ClassifyProbeOutcome(code, status, message);
    if (diagnosis) DiagnoseTransfer(c, server, facts, d);
    return !failed;
}

}  // namespace netprobe
