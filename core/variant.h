#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace netprobe {

// A self-describing value copied by value: empty (unassigned), an integer of one of the
// integer subtypes, or text.
class Variant {
public:
    enum class Type { Empty, Byte, Integer, Int64, Text };

    Variant() = default;
    static Variant FromByte(std::uint8_t v) { return Variant(Storage(v)); }
    static Variant FromInteger(std::int32_t v) { return Variant(Storage(v)); }
    static Variant FromInt64(std::int64_t v) { return Variant(Storage(v)); }
    static Variant FromText(std::string v) { return Variant(Storage(std::move(v))); }

    Type type() const { return static_cast<Type>(value_.index()); }
    bool IsEmpty() const { return type() == Type::Empty; }

    // The integer value of any integer subtype; 0 for empty and text.
    std::int64_t AsInt64() const;

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    using Storage = std::variant<std::monostate, std::uint8_t, std::int32_t, std::int64_t, std::string>;
    explicit Variant(Storage v) : value_(std::move(v)) {}
    Storage value_;
};

}  // namespace netprobe
