#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace netprobe::fuzz {

// A broken invariant: abort, so that libFuzzer keeps the input.
inline void Check(bool condition) {
    if (!condition) std::abort();
}

// Reads the fuzzer's bytes front to back; past the end every read gives zero or empty.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : bytes_(reinterpret_cast<const char*>(data), size) {}

    bool empty() const { return bytes_.empty(); }

    std::uint8_t Byte() {
        if (bytes_.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(bytes_.front());
        bytes_.remove_prefix(1);
        return b;
    }

    std::int32_t Int32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = (v << 8) | Byte();
        return static_cast<std::int32_t>(v);
    }

    // A text of up to `max` bytes: a length byte, then the bytes.
    std::string Text(std::size_t max = 255) {
        const std::size_t length = std::min<std::size_t>(Byte(), max);
        return Take(length);
    }

    // Everything up to the next `separator` byte (dropped), or the rest.
    std::string Field(char separator) {
        const std::size_t at = bytes_.find(separator);
        std::string field(bytes_.substr(0, at));
        bytes_.remove_prefix(at == std::string_view::npos ? bytes_.size() : at + 1);
        return field;
    }

    std::string Rest() { return Take(bytes_.size()); }

private:
    std::string Take(std::size_t count) {
        count = std::min(count, bytes_.size());
        std::string out(bytes_.substr(0, count));
        bytes_.remove_prefix(count);
        return out;
    }

    std::string_view bytes_;
};

}  // namespace netprobe::fuzz
