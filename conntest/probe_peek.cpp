// Naming what answers in another protocol than the probe expected, from one or two small
// exchanges with the same peer after the probe has ended.
#include "conntest/probe_peek.h"

#include <curl/curl.h>

#include <cstdio>
#include <thread>

#include "conntest/curl_easy.h"
#include "conntest/proxy_address.h"
#include "conntest/proxy_options.h"
#include "core/gbk.h"
#include "core/translate.h"

namespace netprobe {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::string_view kHttpHello = "HEAD / HTTP/1.0\r\n\r\n";
constexpr std::string_view kSocks5Greeting{"\x05\x01\x00", 3};  // version 5, one method: none
constexpr std::size_t kEnoughBytes = 8;
constexpr milliseconds kPoll{2};

std::string Hex(std::string_view bytes) {
    std::string text;
    for (unsigned char byte : bytes.substr(0, kEnoughBytes)) {
        char two[4];
        std::snprintf(two, sizeof two, "%02x", byte);
        if (!text.empty()) text += ' ';
        text += two;
    }
    return text;
}

// A connection made by libcurl for a hand-written exchange: to `url`'s host and port,
// through `route`'s proxy when given, none otherwise. Null when it couldn't be made in time.
EasyHandle Connect(const std::string& url, const TServerInfo* route, milliseconds limit) {
    EasyHandle curl(curl_easy_init());
    if (!curl) return nullptr;
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_CONNECT_ONLY, 1L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limit.count()));
    if (route ? !SetUpProxy(c, *route) : curl_easy_setopt(c, CURLOPT_PROXY, "") != CURLE_OK) return nullptr;
    if (curl_easy_perform(c) != CURLE_OK) return nullptr;
    return curl;
}

bool SendAll(CURL* c, std::string_view bytes, Clock::time_point deadline) {
    for (std::size_t sent = 0; sent < bytes.size();) {
        if (Clock::now() >= deadline) return false;
        std::size_t n = 0;
        const CURLcode code = curl_easy_send(c, bytes.data() + sent, bytes.size() - sent, &n);
        if (code == CURLE_AGAIN)
            std::this_thread::sleep_for(kPoll);
        else if (code != CURLE_OK)
            return false;
        sent += n;
    }
    return true;
}

// Adds what comes until enough bytes are there, the peer closes or `deadline` passes; false
// when the connection ended.
bool ReadSome(CURL* c, std::string& bytes, Clock::time_point deadline) {
    char buffer[64];
    while (bytes.size() < kEnoughBytes && Clock::now() < deadline) {
        std::size_t n = 0;
        const CURLcode code = curl_easy_recv(c, buffer, sizeof buffer, &n);
        if (code == CURLE_AGAIN) {
            std::this_thread::sleep_for(kPoll);
            continue;
        }
        if (code != CURLE_OK || n == 0) return false;
        bytes.append(buffer, n);
    }
    return true;
}

// Sends `hello` and returns the first bytes of the answer that come within `limit`. When
// nothing came in half of it, `nudge` follows on the same connection.
std::string Exchange(const std::string& url, const TServerInfo* route, std::string_view hello, milliseconds limit,
                     std::string_view nudge = {}) {
    const Clock::time_point start = Clock::now(), deadline = start + limit;
    const EasyHandle curl = Connect(url, route, limit);
    if (!curl || !SendAll(curl.get(), hello, deadline)) return {};
    std::string bytes;
    const bool open = ReadSome(curl.get(), bytes, nudge.empty() ? deadline : start + limit / 2);
    if (bytes.empty() && open && !nudge.empty() && SendAll(curl.get(), nudge, deadline)) {
        ReadSome(curl.get(), bytes, deadline);
    }
    return bytes;
}

std::string ModeName(std::uint8_t kind) { return kind == 0 ? "HTTP" : kind == 1 ? "SOCKS 4" : "SOCKS 5"; }

// Whether the failure hints that the proxy speaks another kind than ProxyMode says.
bool HintsAtProxyKind(const TServerInfo& server, const ProbeDiagnosis& d) {
    if (!d.via_proxy) return false;
    if (server.ProxyKind != 0) return d.socks.stage == SocksFailure::Stage::kTransport;
    return d.cause == ProbeCause::kNotHttp || d.cause == ProbeCause::kNoAnswer || d.cause == ProbeCause::kHalfAnswer ||
           (d.cause == ProbeCause::kReadTimeout && !d.answer_started);
}

void RecognizeProxyKind(const TServerInfo& server, milliseconds limit, ProbeDiagnosis& d) {
    const std::optional<std::string> proxy = ProxyUrl(server);
    if (!proxy) return;
    const std::string host_port = proxy->substr(proxy->find("://") + 3);
    const std::string url = "http://" + host_port;
    // A SOCKS 5 server answers the greeting at once; an HTTP proxy waits for a line, and the
    // line's end makes it answer the greeting as a bad request.
    const std::string seen = RecognizeProtocol(Exchange(url, nullptr, kSocks5Greeting, limit, "\r\n\r\n"));
    const bool other_kind = seen == "HTTP" ? server.ProxyKind != 0 : seen == "SOCKS 5" && server.ProxyKind != 2;
    if (!other_kind) return;
    d.cause = ProbeCause::kProxyKindMismatch;
    d.seen = seen == "HTTP" ? Tr("an HTTP proxy") : Tr("a SOCKS 5 proxy");
    // The proxy's host is the configuration's, GBK.
    d.detail = TrFormat("ProxyMode says %1$s, but %2$s answers as %3$s", ModeName(server.ProxyKind),
                        GbkToUtf8(host_port), d.seen);
}

}  // namespace

std::string RecognizeProtocol(std::string_view bytes) {
    if (bytes.empty()) return {};
    const auto at = [&bytes](std::size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : -1; };
    if ((at(0) == 0x15 || at(0) == 0x16) && at(1) == 0x03) return "TLS";
    if (bytes.starts_with("SSH-")) return "SSH";
    if (bytes.starts_with("HTTP/")) return "HTTP";
    if (at(0) == 0x05 && (at(1) <= 0x08 || at(1) == 0xff)) return "SOCKS 5";
    if (at(0) == 0x00 && at(1) >= 0x5a && at(1) <= 0x5d) return "SOCKS 4";
    return TrFormat("bytes that are no HTTP (%s)", Hex(bytes));
}

void RecognizeOtherProtocol(const TServerInfo& server, const std::string& address, milliseconds limit,
                            ProbeDiagnosis& d) {
    const bool http_proxy = d.via_proxy && server.ProxyKind == 0;
    if (d.cause == ProbeCause::kNotHttp && !http_proxy) {
        d.seen = RecognizeProtocol(Exchange(address, d.via_proxy ? &server : nullptr, kHttpHello, limit));
        if (!d.seen.empty() && d.seen != "HTTP") d.detail = TrFormat("the server's port answers with %s", d.seen);
        return;
    }
    if (HintsAtProxyKind(server, d)) RecognizeProxyKind(server, limit, d);
}

}  // namespace netprobe
