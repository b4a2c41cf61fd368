#pragma once

#include <chrono>
#include <initializer_list>
#include <string>

namespace netprobe::testing {

// Bytes from a list of values 0..255 (handy for binary handshakes with NULs in them).
inline std::string B(std::initializer_list<int> values) {
    std::string bytes;
    for (int v : values) bytes.push_back(static_cast<char>(v));
    return bytes;
}

inline std::string PortBytes(unsigned port) { return B({static_cast<int>(port >> 8), static_cast<int>(port & 0xFF)}); }

// Milliseconds that `action` took.
template <typename Action>
long long ElapsedMs(Action&& action) {
    auto start = std::chrono::steady_clock::now();
    action();
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace netprobe::testing
