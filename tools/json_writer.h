#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace netprobe::cli {

// A minimal JSON text builder for the command-line tool's output. Values are written in
// call order; the caller keeps the structure balanced.
class JsonWriter {
public:
    JsonWriter& BeginObject() { return Open('{'); }
    JsonWriter& EndObject() { return Close('}'); }
    JsonWriter& BeginArray() { return Open('['); }
    JsonWriter& EndArray() { return Close(']'); }
    JsonWriter& Key(std::string_view key);
    JsonWriter& String(std::string_view utf8);
    JsonWriter& Int(std::int64_t value);
    JsonWriter& Bool(bool value);
    JsonWriter& Null();

    const std::string& str() const { return out_; }

private:
    JsonWriter& Open(char c);
    JsonWriter& Close(char c);
    void Separate();
    std::string out_;
    bool need_comma_ = false;
};

std::string JsonEscape(std::string_view utf8);

}  // namespace netprobe::cli
