#include "core/f_DataVO.h"

#include "core/ascii.h"

namespace netprobe {

bool TDataVO::KeysEqual(std::string_view a, std::string_view b) { return EqualsIgnoreAsciiCase(a, b); }

TDataVO::~TDataVO() noexcept {
    // Last entry first, so owned children go depth-first in reverse insertion order.
    while (!entries_.empty()) {
        TParamEntry& entry = *entries_.back();
        ReleaseParam(entry, entry.kind == kParamObject || entry.kind == kParamReference);
        entries_.pop_back();
    }
}

TParamEntry* TDataVO::FindParam(std::string_view key) const {
    for (const auto& entry : entries_) {
        if (KeysEqual(entry->key, key)) return entry.get();
    }
    return nullptr;
}

void TDataVO::ReleaseParam(TParamEntry& entry, bool destroy_object) noexcept {
    if (entry.value && destroy_object) {
        if (entry.kind == kParamObject) {
            TObject* object = entry.value->object;
            entry.value->object = nullptr;
            try {
                delete object;
            } catch (...) {
                // The slot is empty already; the release goes on.
            }
        } else if (entry.kind == kParamReference) {
            entry.value->object = nullptr;
        }
    }
    try {
        entry.value.reset();
    } catch (...) {
    }
}

void TDataVO::SetParam(std::string_view key, std::uint8_t kind, std::unique_ptr<TParamValue> value) {
    TParamEntry* entry = FindParam(key);
    if (!entry) {
        auto created = std::make_unique<TParamEntry>();
        created->key = std::string(key.substr(0, kMaxKeyLength));
        created->kind = kind;
        created->value = std::move(value);
        entries_.push_back(std::move(created));
        return;
    }
    bool destroy = entry->kind == kParamObject;
    if (destroy && kind == kParamObject && entry->value && value && entry->value->object == value->object) {
        destroy = false;
    }
    if (entry->kind == kParamReference) destroy = true;  // clears the reference, never deletes
    ReleaseParam(*entry, destroy);
    entry->kind = kind;
    entry->value = std::move(value);
}

void TDataVO::SetString(std::string_view key, std::string_view text) {
    auto value = std::make_unique<TParamValue>();
    value->text = std::string(text);
    SetParam(key, kParamText, std::move(value));
}

void TDataVO::SetInteger(std::string_view key, std::int32_t integer) {
    auto value = std::make_unique<TParamValue>();
    value->integer = integer;
    SetParam(key, kParamInteger, std::move(value));
}

void TDataVO::SetVariant(std::string_view key, const Variant& variant) {
    auto value = std::make_unique<TParamValue>();
    value->variant = variant;
    SetParam(key, kParamVariant, std::move(value));
}

void TDataVO::SetObject(std::string_view key, TObject* object) {
    auto value = std::make_unique<TParamValue>();
    value->object = object;
    SetParam(key, kParamObject, std::move(value));
}

std::string TDataVO::GetString(std::string_view key, std::string_view def) const {
    try {
        if (const TParamEntry* entry = FindParam(key)) return entry->value ? entry->value->text : std::string();
        return std::string(def);
    } catch (...) {
        return std::string(def);
    }
}

std::int32_t TDataVO::GetInteger(std::string_view key, std::int32_t def) const {
    const TParamEntry* entry = FindParam(key);
    if (!entry) return def;
    return entry->value ? entry->value->integer : 0;
}

TObject* TDataVO::GetObject(std::string_view key, TObject* def) const {
    const TParamEntry* entry = FindParam(key);
    if (!entry) return def;
    return entry->value ? entry->value->object : nullptr;
}

Variant TDataVO::GetVariant(std::string_view key) const {
    try {
        if (const TParamEntry* entry = FindParam(key)) return entry->value ? entry->value->variant : Variant();
        return Variant::FromByte(0);
    } catch (...) {
        return Variant::FromByte(0);
    }
}

}  // namespace netprobe
