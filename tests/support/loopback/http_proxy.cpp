#include "tests/support/loopback/http_proxy.h"

#include <charconv>

#include "tests/support/loopback/base64.h"
#include "tests/support/loopback/relay.h"

namespace netprobe::testing {

namespace {

constexpr std::size_t kHeadLimit = 64 * 1024;
constexpr Millis kReadTimeout{30000};
constexpr Millis kRelayLimit{120000};
constexpr int kMaxRequestsPerConnection = 1000;

struct AbsoluteTarget {
    std::string host;
    std::uint16_t port = 80;
    std::string path;
};

// Splits "http://HOST[:PORT][/path]"; false when the target is not in absolute form.
bool ParseAbsolute(const std::string& target, AbsoluteTarget& out) {
    const std::string scheme = "http://";
    if (ToLower(target.substr(0, scheme.size())) != scheme) return false;
    std::string rest = target.substr(scheme.size());
    std::size_t slash = rest.find('/');
    std::string authority = rest.substr(0, slash);
    out.path = slash == std::string::npos ? "/" : rest.substr(slash);
    std::size_t colon = authority.find(':');
    out.host = authority.substr(0, colon);
    if (colon == std::string::npos) return !out.host.empty();
    std::string port = authority.substr(colon + 1);
    auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), out.port);
    return !out.host.empty() && error == std::errc() && end == port.data() + port.size();
}

std::string Answer(int status, const std::string& extra) {
    return "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) + "\r\n" + extra +
           "Content-Length: 0\r\n\r\n";
}

void DecodeCredentials(ProxiedRequest& request) {
    std::optional<std::string> header = request.Find("proxy-authorization");
    if (!header || header->size() < 6 || ToLower(header->substr(0, 6)) != "basic ") return;
    std::optional<std::string> decoded = Base64Decode(header->substr(6));
    if (!decoded) return;
    std::size_t colon = decoded->find(':');
    request.basic_credentials = colon != std::string::npos;
    request.user = decoded->substr(0, colon);
    if (colon != std::string::npos) request.password = decoded->substr(colon + 1);
}

bool IsHopByHop(const std::string& name) {
    return name == "proxy-authorization" || name == "proxy-connection" || name == "connection" || name == "keep-alive";
}

std::string OriginFormRequest(const ProxiedRequest& request, const std::string& path) {
    std::string text = request.method + " " + path + " " + request.version + "\r\n";
    for (const HttpHeader& header : request.headers) {
        if (!IsHopByHop(header.name)) text += header.name + ": " + header.value + "\r\n";
    }
    return text + "connection: close\r\n\r\n";
}

bool ReadBody(Connection& client, const ProxiedRequest& request, std::string& body) {
    std::optional<std::string> length = request.Find("content-length");
    return !length || client.ReadExact(std::stoul(*length), body, kReadTimeout);
}

}  // namespace

HttpProxy::HttpProxy() : server_([this](Connection& client) { Serve(client); }) {}

std::string HttpProxy::Url() const { return "http://127.0.0.1:" + std::to_string(port()); }

void HttpProxy::ExpectCredentials(const std::string& user, const std::string& password) {
    std::lock_guard lock(mutex_);
    settings_.check = true;
    settings_.credentials = user + ":" + password;
}

void HttpProxy::SetFault(ProxyFault fault) {
    std::lock_guard lock(mutex_);
    settings_.fault = fault;
}

HttpProxy::Settings HttpProxy::settings() const {
    std::lock_guard lock(mutex_);
    return settings_;
}

void HttpProxy::Serve(Connection& client) {
    for (int sequence = 1; sequence <= kMaxRequestsPerConnection; ++sequence) {
        std::string text;
        if (!client.ReadUntil("\r\n\r\n", text, kHeadLimit, kReadTimeout)) return;
        std::optional<HttpRequestHead> head = ParseRequestHead(text);
        if (!head) {
            client.Send(Answer(400, "Connection: close\r\n"));
            return;
        }
        ProxiedRequest request;
        static_cast<HttpRequestHead&>(request) = *head;
        request.connection = client.index();
        request.sequence = sequence;
        DecodeCredentials(request);
        bool keep = Handle(client, request, settings());
        if (!request.forwarded) requests_.Add(request);  // forwarded ones are recorded earlier
        if (!keep) return;
    }
}

bool HttpProxy::Handle(Connection& client, ProxiedRequest& request, const Settings& settings) {
    if (settings.fault == ProxyFault::kGarbage) {
        request.failure = "garbage answered (fault)";
        static constexpr char kGarbage[] = "\x16\x03garbage \x01\x02 no HTTP here\r\n\r\n";
        client.Send(std::string_view(kGarbage, sizeof kGarbage - 1));
        return false;
    }
    request.authorized =
        !settings.check || (request.basic_credentials && request.user + ":" + request.password == settings.credentials);
    if (!request.authorized) {
        request.failure = request.Has("proxy-authorization") ? "wrong credentials" : "no credentials";
        std::string body;
        return ReadBody(client, request, body) && client.Send(Answer(407, "Proxy-Authenticate: Basic realm=\"x\"\r\n"));
    }
    return Forward(client, request);
}

bool HttpProxy::Forward(Connection& client, ProxiedRequest& request) {
    AbsoluteTarget target;
    if (!ParseAbsolute(request.target, target)) {
        request.failure = "request target is not in absolute form";
        client.Send(Answer(400, "Connection: close\r\n"));
        return false;
    }
    net::Socket socket;
    if (target.host == "127.0.0.1") socket = net::ConnectIpv4(net::kLoopbackAddress, target.port);
    if (!socket.valid()) {
        request.failure = target.host == "127.0.0.1" ? "origin unreachable" : "origin not 127.0.0.1";
        client.Send(Answer(502, "Connection: close\r\n"));
        return false;
    }
    Connection origin(std::move(socket), server_.lifetime());
    std::string body;
    if (!ReadBody(client, request, body) || !origin.Send(OriginFormRequest(request, target.path) + body)) return false;
    request.forwarded = true;
    requests_.Add(request);
    Relay(client, origin, kRelayLimit);
    return false;
}

}  // namespace netprobe::testing
