#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace netprobe::testing {

struct HttpHeader {
    std::string name;   // lower-cased
    std::string value;  // surrounding blanks trimmed
};

// The request line and header fields of one HTTP/1.x request.
struct HttpRequestHead {
    std::string request_line;
    std::string method;
    std::string target;
    std::string version;
    std::vector<HttpHeader> headers;

    // The first value of a header (name in any case), or nullopt.
    std::optional<std::string> Find(std::string_view name) const;
    bool Has(std::string_view name) const { return Find(name).has_value(); }
};

// Parses a request head (ending in an empty line). nullopt when the request line is not
// "METHOD SP TARGET SP HTTP/x.y" or a header line has no colon.
std::optional<HttpRequestHead> ParseRequestHead(std::string_view head);

std::string ToLower(std::string_view text);
// "OK", "Not Found", ... ("Status" for codes it does not know).
std::string ReasonPhrase(int status);

}  // namespace netprobe::testing
