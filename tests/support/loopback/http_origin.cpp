#include "tests/support/loopback/http_origin.h"

namespace netprobe::testing {

namespace {

constexpr std::size_t kHeadLimit = 64 * 1024;
constexpr Millis kReadTimeout{30000};
constexpr Millis kHoldLimit{120000};
constexpr int kMaxRequestsPerConnection = 1000;

bool WantsClose(const HttpRequestHead& request) {
    std::optional<std::string> connection = request.Find("connection");
    if (connection && ToLower(*connection) == "close") return true;
    return request.version == "HTTP/1.0" && !(connection && ToLower(*connection) == "keep-alive");
}

// Reads and drops a request body announced by Content-Length.
bool SkipBody(Connection& connection, const HttpRequestHead& request) {
    std::optional<std::string> length = request.Find("content-length");
    if (!length) return true;
    std::string body;
    return connection.ReadExact(std::stoul(*length), body, kReadTimeout);
}

}  // namespace

std::string OriginAnswer(const OriginBehavior& behavior, bool close) {
    std::string answer = "HTTP/1.1 " + std::to_string(behavior.status) + " " + ReasonPhrase(behavior.status) + "\r\n";
    answer += "Server: netprobe-test-origin\r\nContent-Length: 0\r\n";
    if (!behavior.location.empty()) answer += "Location: " + behavior.location + "\r\n";
    if (close) answer += "Connection: close\r\n";
    return answer + "\r\n";
}

HttpOrigin::HttpOrigin() : server_([this](Connection& connection) { Serve(connection); }) {}

std::string HttpOrigin::Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port()) + path;
}

void HttpOrigin::Configure(const OriginBehavior& behavior) {
    std::lock_guard lock(mutex_);
    behavior_ = behavior;
}

OriginBehavior HttpOrigin::behavior() const {
    std::lock_guard lock(mutex_);
    return behavior_;
}

void HttpOrigin::SetStatus(int status) {
    std::lock_guard lock(mutex_);
    behavior_.status = status;
}

void HttpOrigin::SetLocation(const std::string& location) {
    std::lock_guard lock(mutex_);
    behavior_.location = location;
}

void HttpOrigin::SetDelay(Millis delay) {
    std::lock_guard lock(mutex_);
    behavior_.delay = delay;
}

void HttpOrigin::SetFault(OriginFault fault) {
    std::lock_guard lock(mutex_);
    behavior_.fault = fault;
}

void HttpOrigin::SetTrickle(Millis interval, std::size_t chunk) {
    std::lock_guard lock(mutex_);
    behavior_.fault = OriginFault::kTrickle;
    behavior_.trickle_interval = interval;
    behavior_.trickle_chunk = chunk;
}

void HttpOrigin::SetRawAnswer(const std::string& answer) {
    std::lock_guard lock(mutex_);
    behavior_.fault = OriginFault::kRawAnswer;
    behavior_.raw_answer = answer;
}

void HttpOrigin::Serve(Connection& connection) {
    if (behavior().fault == OriginFault::kCloseOnAccept) return;
    for (int sequence = 1; sequence <= kMaxRequestsPerConnection; ++sequence) {
        std::string text;
        if (!connection.ReadUntil("\r\n\r\n", text, kHeadLimit, kReadTimeout)) return;
        std::optional<HttpRequestHead> request = ParseRequestHead(text);
        if (!request) {
            OriginBehavior bad_request;
            bad_request.status = 400;
            connection.Send(OriginAnswer(bad_request, true));
            return;
        }
        RecordedRequest record;
        static_cast<HttpRequestHead&>(record) = *request;
        record.connection = connection.index();
        record.sequence = sequence;
        record.peer_port = connection.peer_port();
        requests_.Add(record);
        if (!SkipBody(connection, *request) || !Answer(connection, *request)) return;
    }
}

bool HttpOrigin::Answer(Connection& connection, const HttpRequestHead& request) {
    const OriginBehavior how = behavior();
    if (!connection.Pause(how.delay)) return false;
    const bool close = WantsClose(request) || how.fault != OriginFault::kNone;
    const std::string answer = OriginAnswer(how, close);
    switch (how.fault) {
        case OriginFault::kNone:
            return connection.Send(answer) && !close;
        case OriginFault::kNeverAnswer:
            connection.Hold(kHoldLimit);
            return false;
        case OriginFault::kResetMidAnswer:
            connection.Send(answer.substr(0, answer.size() / 2));
            connection.Pause(Millis(50));
            connection.Reset();
            return false;
        case OriginFault::kHalfStatusLine:
            connection.Send("HTTP/1.1 2");
            connection.Hold(kHoldLimit);
            return false;
        case OriginFault::kTrickle:
            connection.Trickle(answer, how.trickle_interval, how.trickle_chunk);
            return false;
        case OriginFault::kRawAnswer:
            connection.Send(how.raw_answer);
            return false;
        case OriginFault::kCloseOnAccept:
            return false;
    }
    return false;
}

}  // namespace netprobe::testing
