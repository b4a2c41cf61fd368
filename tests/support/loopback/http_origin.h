#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "tests/support/loopback/connection.h"
#include "tests/support/loopback/http_head.h"
#include "tests/support/loopback/loopback_server.h"
#include "tests/support/loopback/recorder.h"

namespace netprobe::testing {

// How the origin misbehaves (for hardening tests). Every fault ends the connection.
enum class OriginFault {
    kNone,
    kNeverAnswer,     // reads the request, then holds the connection silently until stopped
    kResetMidAnswer,  // sends part of the header, then resets the connection (RST)
    kHalfStatusLine,  // sends "HTTP/1.1 2" and stalls until stopped
    kTrickle,         // sends the whole answer `trickle_chunk` bytes per `trickle_interval`
    kRawAnswer,       // sends `raw_answer` verbatim, then closes
    kCloseOnAccept,   // closes right after accepting, before reading anything
};

struct OriginBehavior {
    int status = 200;
    std::string location;  // sent as Location when not empty
    Millis delay{0};       // before answering
    OriginFault fault = OriginFault::kNone;
    Millis trickle_interval{10};
    std::size_t trickle_chunk = 1;
    std::string raw_answer;
};

// One request the origin received.
struct RecordedRequest : HttpRequestHead {
    int connection = 0;  // 1-based number of the connection it arrived on
    int sequence = 0;    // 1-based position on that connection
    std::uint16_t peer_port = 0;
};

// An HTTP/1.1 origin server on 127.0.0.1 that answers every request with an empty body
// (Content-Length: 0) and the configured status, and keeps connections alive.
class HttpOrigin {
public:
    HttpOrigin();

    std::uint16_t port() const { return server_.port(); }
    // "http://127.0.0.1:PORT" + path.
    std::string Url(const std::string& path = "/") const;

    // All setters are safe while connections are being served; they affect later answers.
    void Configure(const OriginBehavior& behavior);
    OriginBehavior behavior() const;
    void SetStatus(int status);
    void SetLocation(const std::string& location);
    void SetDelay(Millis delay);
    void SetFault(OriginFault fault);
    void SetNeverAnswer() { SetFault(OriginFault::kNeverAnswer); }
    void SetTrickle(Millis interval, std::size_t chunk = 1);
    void SetRawAnswer(const std::string& answer);

    std::vector<RecordedRequest> requests() const { return requests_.entries(); }
    // Requests answered so far, also those not kept.
    std::size_t request_count() const { return requests_.count(); }
    // With false, requests are counted but not kept (for long runs).
    void KeepRequests(bool keep) { requests_.SetKeep(keep); }
    bool WaitForRequests(std::size_t count, Millis timeout) const { return requests_.WaitFor(count, timeout); }
    // Connections accepted so far.
    int connections() const { return server_.accepted(); }

private:
    void Serve(Connection& connection);
    // Answers one request; false when the connection must end.
    bool Answer(Connection& connection, const HttpRequestHead& request);

    mutable std::mutex mutex_;
    OriginBehavior behavior_;
    Recorder<RecordedRequest> requests_;
    LoopbackServer server_;  // last: stops before the members above go away
};

// The answer head the origin sends for `behavior` ("HTTP/1.1 200 OK\r\n...\r\n\r\n").
std::string OriginAnswer(const OriginBehavior& behavior, bool close);

}  // namespace netprobe::testing
