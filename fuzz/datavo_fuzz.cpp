// TDataVO driven by a sequence of operations decoded from the input, against a plain model:
// entries in insertion order, keys cut to 255 bytes and compared with only the ASCII letters
// folded, every store replacing the value record. Owned objects (kind 7) must be destroyed
// exactly once, when replaced by anything but themselves or with the container; references
// (kind 8) never. A destructor that raises must not stop the container.
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/f_DataVO.h"
#include "fuzz/fuzz_input.h"

namespace netprobe::fuzz {
namespace {

// Every tracked object alive right now.
std::set<const TObject*>& Alive() {
    static std::set<const TObject*> alive;
    return alive;
}

class Tracked : public TObject {
public:
    explicit Tracked(bool raises) : raises_(raises) { Check(Alive().insert(this).second); }
    ~Tracked() noexcept(false) override {
        Check(Alive().erase(this) == 1);  // a second destruction finds nothing
        if (raises_) throw std::runtime_error("destructor raises");
    }

private:
    bool raises_;
};

// Child container -> the object it owns, for every child container alive.
std::map<const TObject*, const TObject*>& Children() {
    static std::map<const TObject*, const TObject*> children;
    return children;
}

// A container owned by another container, holding one owned object of its own.
class TrackedVO : public TDataVO {
public:
    TrackedVO() {
        auto* child = new Tracked(false);
        Check(Alive().insert(this).second);
        Children()[this] = child;
        SetObject("child", child);
    }
    ~TrackedVO() noexcept override {
        Check(Alive().erase(this) == 1);
        Children().erase(this);
    }
};

struct ModelEntry {
    std::string key;
    std::uint8_t kind = kParamText;
    std::optional<TParamValue> value;  // a copy of the record's fields; nullopt: no record
};

bool KeysEqual(const std::string& a, const std::string& b) {
    auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i])) return false;
    }
    return true;
}

class Model {
public:
    ModelEntry* Find(const std::string& key) {
        for (ModelEntry& entry : entries_) {
            if (KeysEqual(entry.key, key)) return &entry;
        }
        return nullptr;
    }
    void Store(const std::string& key, std::uint8_t kind, std::optional<TParamValue> value) {
        if (ModelEntry* entry = Find(key)) {
            entry->kind = kind;
            entry->value = std::move(value);
            return;
        }
        entries_.push_back({key.substr(0, TDataVO::kMaxKeyLength), kind, std::move(value)});
    }
    // The objects the container must keep alive: owned ones and what they own.
    std::set<const TObject*> Owned() const {
        const auto& children = Children();
        std::set<const TObject*> owned;
        for (const ModelEntry& entry : entries_) {
            if (entry.kind != kParamObject || !entry.value || !entry.value->object) continue;
            owned.insert(entry.value->object);
            if (auto it = children.find(entry.value->object); it != children.end()) owned.insert(it->second);
        }
        return owned;
    }
    void Clear() { entries_.clear(); }

private:
    std::vector<ModelEntry> entries_;
};

std::string PickKey(Input& in) {
    static const std::vector<std::string> kKeys = {
        "a",
        "A",
        "key",
        "KEY",
        "kEy",
        "ProxyVO",
        "proxyvo",
        "communiConfig",
        "",
        "\xC4\xE3",
        "\xE4\xE3",  // GBK bytes 0x20 apart: no letters, never folded together
        std::string(255, 'k'),
        std::string(255, 'K'),
        std::string(256, 'k'),
        std::string(300, 'K'),
        std::string(255, 'k') + "x",
    };
    const std::uint8_t pick = in.Byte();
    if (pick < kKeys.size() * 8) return kKeys[pick % kKeys.size()];
    return in.Text(300);
}

class Session {
public:
    explicit Session(Input& in) : in_(in), vo_(std::make_unique<TDataVO>()) {
        for (auto& object : outside_) object = std::make_unique<Tracked>(false);
    }
    ~Session() {
        vo_.reset();
        model_.Clear();
        CheckAlive();
    }

    void Step() {
        const std::string key = PickKey(in_);
        switch (in_.Byte() % 12) {
            case 0:
                StoreText(key);
                break;
            case 1:
                StoreInteger(key);
                break;
            case 2:
                StoreVariant(key);
                break;
            case 3:
                StoreObject(key, new Tracked(in_.Byte() % 4 == 0));
                break;
            case 4:
                StoreObject(key, nullptr);
                break;
            case 5:
                StoreReference(key);
                break;
            case 6:
                StoreEmptyRecord(key);
                break;
            case 7:
                StoreSameObjectAgain(key);
                break;
            case 8:
                StoreChildContainer(key);
                break;
            case 9:
                StoreFullRecord(key);
                break;
            case 10:
                Recreate();
                break;
            default:
                break;
        }
        CheckRead(key);
        CheckAlive();
    }

private:
    void StoreText(const std::string& key) {
        TParamValue value;
        value.text = in_.Text();
        vo_->SetString(key, value.text);
        model_.Store(key, kParamText, value);
    }
    void StoreInteger(const std::string& key) {
        TParamValue value;
        value.integer = in_.Int32();
        vo_->SetInteger(key, value.integer);
        model_.Store(key, kParamInteger, value);
    }
    void StoreVariant(const std::string& key) {
        TParamValue value;
        switch (in_.Byte() % 5) {
            case 0:
                value.variant = Variant();
                break;
            case 1:
                value.variant = Variant::FromByte(in_.Byte());
                break;
            case 2:
                value.variant = Variant::FromInteger(in_.Int32());
                break;
            case 3:
                value.variant = Variant::FromInt64(static_cast<std::int64_t>(in_.Int32()) * (1 << 20));
                break;
            default:
                value.variant = Variant::FromText(in_.Text());
                break;
        }
        vo_->SetVariant(key, value.variant);
        model_.Store(key, kParamVariant, value);
    }
    void StoreObject(const std::string& key, TObject* object) {
        TParamValue value;
        value.object = object;
        vo_->SetObject(key, object);
        model_.Store(key, kParamObject, value);
    }
    void StoreReference(const std::string& key) {
        auto record = std::make_unique<TParamValue>();
        record->object = outside_[in_.Byte() % std::size(outside_)].get();
        TParamValue copy = *record;
        vo_->SetParam(key, kParamReference, std::move(record));
        model_.Store(key, kParamReference, copy);
    }
    void StoreEmptyRecord(const std::string& key) {
        static const std::uint8_t kKinds[] = {kParamText, kParamInteger, kParamVariant, kParamObject, kParamReference};
        const std::uint8_t kind = kKinds[in_.Byte() % std::size(kKinds)];
        vo_->SetParam(key, kind, nullptr);
        model_.Store(key, kind, std::nullopt);
    }
    void StoreSameObjectAgain(const std::string& key) {
        const ModelEntry* entry = model_.Find(key);
        if (!entry || entry->kind != kParamObject || !entry->value) return;
        StoreObject(key, entry->value->object);  // the container keeps it
    }
    void StoreChildContainer(const std::string& key) { StoreObject(key, new TrackedVO()); }
    void StoreFullRecord(const std::string& key) {
        auto record = std::make_unique<TParamValue>();
        record->text = in_.Text();
        record->integer = in_.Int32();
        record->variant = Variant::FromText(in_.Text());
        record->object = new Tracked(false);
        TParamValue copy = *record;
        vo_->SetParam(key, kParamObject, std::move(record));
        model_.Store(key, kParamObject, copy);
    }
    void Recreate() {
        vo_ = std::make_unique<TDataVO>();
        model_.Clear();
    }

    void CheckRead(const std::string& key) {
        const ModelEntry* entry = model_.Find(key);
        const TParamEntry* found = vo_->FindParam(key);
        Check((entry == nullptr) == (found == nullptr));
        TObject* marker = outside_[0].get();
        if (!entry) {
            Check(vo_->GetString(key, "def") == "def");
            Check(vo_->GetInteger(key, -7) == -7);
            Check(vo_->GetObject(key, marker) == marker);
            Check(vo_->GetVariant(key) == Variant::FromByte(0));
            return;
        }
        Check(found->key == entry->key && found->kind == entry->kind);
        Check((found->value != nullptr) == entry->value.has_value());
        const TParamValue none;
        const TParamValue& value = entry->value ? *entry->value : none;
        Check(vo_->GetString(key, "def") == value.text);
        Check(vo_->GetInteger(key, -7) == value.integer);
        Check(vo_->GetObject(key, marker) == value.object);
        Check(vo_->GetVariant(key) == value.variant);
    }

    void CheckAlive() {
        std::set<const TObject*> expected = model_.Owned();
        for (const auto& object : outside_) expected.insert(object.get());
        Check(Alive() == expected);
    }

    Input& in_;
    std::unique_ptr<Tracked> outside_[3];  // referenced (kind 8), never owned
    std::unique_ptr<TDataVO> vo_;
    Model model_;
};

}  // namespace
}  // namespace netprobe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    netprobe::fuzz::Input in(data, size);
    {
        netprobe::fuzz::Session session(in);
        for (int step = 0; step < 256 && !in.empty(); ++step) session.Step();
    }
    netprobe::fuzz::Check(netprobe::fuzz::Alive().empty());
    return 0;
}
