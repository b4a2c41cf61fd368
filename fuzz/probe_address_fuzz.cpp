// The pure rules of a probe: the address built from a server record, the proxy mode, the
// Boolean texts of the user's settings, the request's limits and the outcome messages. Each is
// checked against its rule written out plainly here.
//
// Input: fields separated by 0x00 bytes: host, port text, action, proxy mode, Boolean text,
// then 4 bytes of time-out, 4 of libcurl code and 4 of status.
#include <cstdlib>
#include <string>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/probe_address.h"
#include "conntest/probe_outcome.h"
#include "core/decimal.h"
#include "core/errors.h"
#include "core/texts.h"
#include "fuzz/fuzz_input.h"

namespace netprobe::fuzz {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

void CheckAddress(const TServerInfo& server) {
    const std::optional<std::string> address = BuildProbeAddress(server);
    std::string host = Lower(server.Host);
    if (auto at = host.find("http://"); at != std::string::npos) host.erase(0, at + 7);
    if (!host.empty() && host.back() == '/') host.pop_back();
    if (host.empty()) {
        Check(!address);
        return;
    }
    Check(address.has_value());
    const std::string tail = ":" + server.PortText + (server.Action.empty() ? "" : "/" + server.Action);
    Check(*address == "http://" + host + tail);
    Check(address->compare(0, 7, "http://") == 0);
}

void CheckProxyMode(const std::string& mode) {
    const std::string mapped = MapProxyMode(mode);
    Check(mapped == "0" || mapped == "1" || mapped == "2");
    std::string trimmed = mode;
    while (!trimmed.empty() && static_cast<unsigned char>(trimmed.front()) <= 32) trimmed.erase(0, 1);
    while (!trimmed.empty() && static_cast<unsigned char>(trimmed.back()) <= 32) trimmed.pop_back();
    trimmed = Lower(trimmed);
    const char* expected = trimmed == "1" || trimmed == "socket4"   ? "1"
                           : trimmed == "2" || trimmed == "socket5" ? "2"
                                                                    : "0";
    Check(mapped == expected);
}

void CheckBoolean(const std::string& text) {
    const std::string folded = Lower(text);
    std::optional<bool> expected;
    if (folded == "true") {
        expected = true;
    } else if (folded == "false") {
        expected = false;
    } else {
        const std::size_t sign = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
        const std::string digits = text.substr(sign);
        if (!digits.empty() && digits.find_first_not_of("0123456789") == std::string::npos) {
            expected = digits.find_first_not_of('0') != std::string::npos;
        }
    }
    try {
        const bool value = StrToBool(text);
        Check(expected.has_value() && *expected == value);
    } catch (const EConvertError&) {
        Check(!expected.has_value());
    }
}

void CheckOutcome(int curl_code, long status) {
    const std::optional<std::string> message = FailureMessageFor(curl_code, status);
    if (curl_code == 0 && status >= 200 && status <= 299) {
        Check(!message);
        return;
    }
    Check(message && !message->empty());
    if (curl_code == 0 && status > 0) Check(*message == texts::StatusMessage(status));
}

// Every request is bounded, and never ends before the caller has given up on it.
void CheckLimits(std::int32_t timeout) {
    const ProbeLimits limits = LimitsFor(timeout);
    Check(limits.connect.count() > 0 && limits.read.count() > 0 && limits.request.count() > 0);
    Check(limits.request > limits.backstop);
    Check(limits.backstop.count() == static_cast<std::int64_t>(timeout) * 1000);
    if (timeout > 0) Check(limits.read.count() == timeout && limits.connect == kSystemConnectLimit);
}

}  // namespace
}  // namespace netprobe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace netprobe;
    fuzz::Input in(data, size);
    TServerInfo server;
    server.Host = in.Field('\0');
    server.PortText = in.Field('\0');
    server.Action = in.Field('\0');
    const std::string mode = in.Field('\0');
    const std::string boolean = in.Field('\0');
    const std::int32_t timeout = in.Int32();
    const int curl_code = in.Int32() % 100;
    const long status = in.Int32();

    fuzz::CheckAddress(server);
    fuzz::CheckProxyMode(mode);
    fuzz::CheckBoolean(boolean);
    fuzz::CheckLimits(timeout);
    fuzz::CheckOutcome(curl_code, status);
    return 0;
}
