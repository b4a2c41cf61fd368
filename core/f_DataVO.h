#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/TObject.h"
#include "core/variant.h"

namespace netprobe {

// Kind codes of a container entry.
enum : std::uint8_t {
    kParamText = 0,
    kParamInteger = 1,
    kParamVariant = 6,
    kParamObject = 7,     // owned object, may be empty
    kParamReference = 8,  // object reference the container does not own
};

// The value record of one entry, created afresh for every store. The integer and the object
// reference have slots of their own: a store writes one of them and leaves the other empty,
// so an integer is never read as an object reference.
struct TParamValue {
    std::string text;
    Variant variant;
    std::int32_t integer = 0;
    TObject* object = nullptr;
};

struct TParamEntry {
    std::string key;  // as first stored, at most 255 bytes
    std::uint8_t kind = kParamText;
    std::unique_ptr<TParamValue> value;
};

// Ordered named-value container. Keys compare with only the ASCII letters folded, byte by
// byte; owned objects are destroyed with their entry's value or with the container.
class TDataVO : public TObject {
public:
    static constexpr std::size_t kMaxKeyLength = 255;

    TDataVO() = default;
    ~TDataVO() noexcept override;  // errors of owned objects are swallowed

    void SetString(std::string_view key, std::string_view text);
    void SetInteger(std::string_view key, std::int32_t value);
    void SetVariant(std::string_view key, const Variant& value);
    void SetObject(std::string_view key, TObject* object);
    void SetParam(std::string_view key, std::uint8_t kind, std::unique_ptr<TParamValue> value);

    std::string GetString(std::string_view key, std::string_view def) const;
    std::int32_t GetInteger(std::string_view key, std::int32_t def) const;
    TObject* GetObject(std::string_view key, TObject* def) const;
    Variant GetVariant(std::string_view key) const;

    TParamEntry* FindParam(std::string_view key) const;

    // Releases the entry's value record; with destroy_object, an owned object (kind 7) is
    // destroyed and a reference (kind 8) cleared. Errors on the way are swallowed.
    static void ReleaseParam(TParamEntry& entry, bool destroy_object) noexcept;

    // The key rule, exposed for the tests and for callers that compare keys themselves.
    static bool KeysEqual(std::string_view a, std::string_view b);

private:
    std::vector<std::unique_ptr<TParamEntry>> entries_;
};

}  // namespace netprobe
