#include "tools/json_writer.h"

#include <cstdio>

namespace netprobe::cli {

std::string JsonEscape(std::string_view utf8) {
    std::string out = "\"";
    for (unsigned char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out.push_back(static_cast<char>(c));
                }
        }
    }
    return out + "\"";
}

void JsonWriter::Separate() {
    if (need_comma_) out_ += ",";
    need_comma_ = true;
}

JsonWriter& JsonWriter::Open(char c) {
    Separate();
    out_.push_back(c);
    need_comma_ = false;
    return *this;
}

JsonWriter& JsonWriter::Close(char c) {
    out_.push_back(c);
    need_comma_ = true;
    return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
    Separate();
    out_ += JsonEscape(key) + ":";
    need_comma_ = false;
    return *this;
}

JsonWriter& JsonWriter::String(std::string_view utf8) {
    Separate();
    out_ += JsonEscape(utf8);
    return *this;
}

JsonWriter& JsonWriter::Int(std::int64_t value) {
    Separate();
    out_ += std::to_string(value);
    return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
    Separate();
    out_ += value ? "true" : "false";
    return *this;
}

JsonWriter& JsonWriter::Null() {
    Separate();
    out_ += "null";
    return *this;
}

}  // namespace netprobe::cli
