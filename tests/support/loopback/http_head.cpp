#include "tests/support/loopback/http_head.h"

#include <cctype>

namespace netprobe::testing {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Splits off the next line (without CR LF) from `rest`.
std::string_view NextLine(std::string_view& rest) {
    std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

bool ParseRequestLine(std::string_view line, HttpRequestHead& head) {
    std::size_t first = line.find(' ');
    std::size_t second = first == std::string_view::npos ? first : line.find(' ', first + 1);
    if (second == std::string_view::npos || line.find(' ', second + 1) != std::string_view::npos) return false;
    head.request_line = std::string(line);
    head.method = std::string(line.substr(0, first));
    head.target = std::string(line.substr(first + 1, second - first - 1));
    head.version = std::string(line.substr(second + 1));
    return !head.method.empty() && !head.target.empty() && head.version.rfind("HTTP/", 0) == 0;
}

}  // namespace

std::optional<std::string> HttpRequestHead::Find(std::string_view name) const {
    std::string wanted = ToLower(name);
    for (const HttpHeader& header : headers) {
        if (header.name == wanted) return header.value;
    }
    return std::nullopt;
}

std::optional<HttpRequestHead> ParseRequestHead(std::string_view text) {
    HttpRequestHead head;
    if (!ParseRequestLine(NextLine(text), head)) return std::nullopt;
    for (int count = 0; count < 1000 && !text.empty(); ++count) {
        std::string_view line = NextLine(text);
        if (line.empty()) break;
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon == 0) return std::nullopt;
        head.headers.push_back({ToLower(line.substr(0, colon)), std::string(Trim(line.substr(colon + 1)))});
    }
    return head;
}

std::string ToLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string ReasonPhrase(int status) {
    switch (status) {
        case 200:
            return "OK";
        case 204:
            return "No Content";
        case 301:
            return "Moved Permanently";
        case 302:
            return "Found";
        case 303:
            return "See Other";
        case 304:
            return "Not Modified";
        case 307:
            return "Temporary Redirect";
        case 308:
            return "Permanent Redirect";
        case 400:
            return "Bad Request";
        case 401:
            return "Unauthorized";
        case 403:
            return "Forbidden";
        case 404:
            return "Not Found";
        case 405:
            return "Method Not Allowed";
        case 407:
            return "Proxy Authentication Required";
        case 500:
            return "Internal Server Error";
        case 502:
            return "Bad Gateway";
        case 503:
            return "Service Unavailable";
        case 504:
            return "Gateway Timeout";
        default:
            return "Status";
    }
}

}  // namespace netprobe::testing
