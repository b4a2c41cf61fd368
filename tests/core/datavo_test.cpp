#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/f_DataVO.h"

namespace netprobe {
namespace {

// An object that reports its destruction into a shared log.
class Tracked : public TObject {
public:
    Tracked(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    ~Tracked() noexcept(false) override { log_.push_back(name_); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

class Throwing : public TObject {
public:
    explicit Throwing(int& destroyed) : destroyed_(destroyed) {}
    ~Throwing() noexcept(false) override {
        ++destroyed_;
        throw std::runtime_error("destructor fails");
    }

private:
    int& destroyed_;
};

TEST(DataVOKeys, LookupFoldsAsciiLettersOnly) {
    TDataVO vo;
    vo.SetString("ProxyVO", "first");
    EXPECT_EQ(vo.GetString("proxyvo", "-"), "first");
    vo.SetString("PROXYVO", "second");
    const TParamEntry* entry = vo.FindParam("pRoXyVo");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->key, "ProxyVO");  // the key keeps its first spelling
    EXPECT_EQ(vo.GetString("ProxyVO", "-"), "second");
}

TEST(DataVOKeys, GbkBytesCompareExactlyExceptAsciiRangeTrailBytes) {
    // 0xB0 0x61 and 0xB0 0x41 are two GBK characters whose trail bytes lie on 'a' and 'A':
    // byte-by-byte folding makes them the same key.
    const std::string lower = "\xB0\x61", upper = "\xB0\x41";
    EXPECT_TRUE(TDataVO::KeysEqual(lower, upper));
    // Bytes above 0x7F are never folded: 0xE1 is not 0xC1.
    EXPECT_FALSE(TDataVO::KeysEqual("\xE1", "\xC1"));
    EXPECT_FALSE(TDataVO::KeysEqual("\xD6\xD0", "\xD6\xD1"));
    EXPECT_FALSE(TDataVO::KeysEqual("key", "key "));
    // Non-letters next to the letter range stay distinct ('@' vs '`', '[' vs '{').
    EXPECT_FALSE(TDataVO::KeysEqual("@", "`"));
    EXPECT_FALSE(TDataVO::KeysEqual("[", "{"));

    TDataVO vo;
    vo.SetInteger(lower, 1);
    vo.SetInteger(upper, 2);
    EXPECT_EQ(vo.GetInteger(lower, 0), 2);
}

TEST(DataVOKeys, LongKeysAreCutTo255Bytes) {
    TDataVO vo;
    const std::string key(300, 'k');
    vo.SetInteger(key, 1);
    const std::string cut(255, 'k');
    ASSERT_NE(vo.FindParam(cut), nullptr);
    EXPECT_EQ(vo.FindParam(cut)->key.size(), 255u);
    EXPECT_EQ(vo.FindParam(key), nullptr);
    EXPECT_EQ(vo.GetInteger(key, -1), -1);
    vo.SetInteger(key, 2);                 // not found again: a second entry
    EXPECT_EQ(vo.GetInteger(cut, -1), 1);  // the first entry still answers
}

TEST(DataVOGetters, AbsentKeysGiveDefaults) {
    TDataVO vo;
    TObject* marker = reinterpret_cast<TObject*>(&vo);
    EXPECT_EQ(vo.GetString("none", "def"), "def");
    EXPECT_EQ(vo.GetInteger("none", 42), 42);
    EXPECT_EQ(vo.GetObject("none", marker), marker);
    Variant v = vo.GetVariant("none");
    EXPECT_EQ(v.type(), Variant::Type::Byte);
    EXPECT_EQ(v.AsInt64(), 0);
}

TEST(DataVOGetters, ReadTheirOwnSlotWhateverTheKind) {
    TDataVO vo;
    TObject* marker = reinterpret_cast<TObject*>(&vo);
    vo.SetInteger("int", 7);
    vo.SetString("text", "abc");
    vo.SetObject("empty-object", nullptr);
    vo.SetVariant("variant", Variant::FromText("v"));

    EXPECT_EQ(vo.GetString("int", "def"), "");  // empty text slot, not the default
    EXPECT_EQ(vo.GetInteger("int", 0), 7);
    EXPECT_TRUE(vo.GetVariant("text").IsEmpty());
    EXPECT_EQ(vo.GetObject("empty-object", marker), nullptr);
    EXPECT_EQ(vo.GetObject("text", marker), nullptr);
    EXPECT_EQ(vo.GetInteger("text", 5), 0);
    EXPECT_EQ(vo.GetVariant("variant"), Variant::FromText("v"));
    EXPECT_EQ(vo.GetString("variant", "def"), "");
}

TEST(DataVOGetters, VariantsAreCopiedByValue) {
    TDataVO vo;
    Variant v = Variant::FromInteger(-5);
    vo.SetVariant("v", v);
    v = Variant::FromText("changed");
    EXPECT_EQ(vo.GetVariant("v"), Variant::FromInteger(-5));
    vo.SetVariant("b", Variant::FromByte(255));
    EXPECT_EQ(vo.GetVariant("b").AsInt64(), 255);
    EXPECT_EQ(vo.GetVariant("b").type(), Variant::Type::Byte);
}

TEST(DataVOOwnership, ReplacingAnOwnedObjectDestroysIt) {
    std::vector<std::string> log;
    TDataVO vo;
    auto* a = new Tracked(log, "a");
    vo.SetObject("obj", a);
    vo.SetObject("OBJ", a);  // the same object again: stays alive
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(vo.GetObject("obj", nullptr), a);

    vo.SetObject("obj", new Tracked(log, "b"));  // a different object: a goes
    EXPECT_EQ(log, std::vector<std::string>{"a"});
    vo.SetString("obj", "text");  // a text replaces b
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(vo.GetObject("obj", nullptr), nullptr);
}

TEST(DataVOOwnership, ReferencesOfKind8AreNeverDestroyed) {
    std::vector<std::string> log;
    Tracked outside(log, "outside");
    {
        TDataVO vo;
        auto value = std::make_unique<TParamValue>();
        value->object = &outside;
        vo.SetParam("ref", kParamReference, std::move(value));
        EXPECT_EQ(vo.GetObject("ref", nullptr), &outside);
        auto again = std::make_unique<TParamValue>();
        again->object = &outside;
        vo.SetParam("ref", kParamReference, std::move(again));
        vo.SetObject("ref", nullptr);  // replacing a reference by an owned (empty) object
        auto third = std::make_unique<TParamValue>();
        third->object = &outside;
        vo.SetParam("ref2", kParamReference, std::move(third));
    }
    EXPECT_TRUE(log.empty());
}

TEST(DataVOOwnership, DestructionIsReverseOrderAndDepthFirst) {
    std::vector<std::string> log;
    {
        TDataVO block;
        block.SetObject("first", new Tracked(log, "first"));
        auto* child = new TDataVO;
        child->SetObject("c1", new Tracked(log, "child.c1"));
        child->SetObject("c2", new Tracked(log, "child.c2"));
        auto* grandchild = new TDataVO;
        grandchild->SetObject("g", new Tracked(log, "grandchild.g"));
        child->SetObject("grand", grandchild);
        block.SetObject("ProxyVO", child);
        block.SetObject("last", new Tracked(log, "last"));
        block.SetString("text", "t");
    }
    EXPECT_EQ(log, (std::vector<std::string>{"last", "grandchild.g", "child.c2", "child.c1", "first"}));
}

TEST(DataVOOwnership, ErrorsWhileDestroyingAreSwallowed) {
    std::vector<std::string> log;
    int thrown = 0;
    {
        TDataVO vo;
        vo.SetObject("a", new Tracked(log, "a"));
        vo.SetObject("bad", new Throwing(thrown));
        vo.SetObject("z", new Tracked(log, "z"));
        vo.SetObject("replace", new Throwing(thrown));
        EXPECT_NO_THROW(vo.SetInteger("replace", 3));  // the replacement goes on
        EXPECT_EQ(thrown, 1);
        EXPECT_EQ(vo.GetInteger("replace", 0), 3);
        EXPECT_EQ(vo.GetObject("replace", nullptr), nullptr);
    }
    EXPECT_EQ(thrown, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"z", "a"}));  // the entries after the failure were still released
}

TEST(DataVOOwnership, EntriesKeepInsertionOrderAndPlace) {
    TDataVO vo;
    vo.SetString("a", "1");
    vo.SetString("b", "2");
    vo.SetInteger("A", 3);  // replaces in place
    EXPECT_EQ(vo.FindParam("a")->kind, kParamInteger);
    EXPECT_EQ(vo.GetInteger("a", 0), 3);
    EXPECT_EQ(vo.GetString("a", "-"), "");
    EXPECT_EQ(vo.GetString("b", "-"), "2");
}

}  // namespace
}  // namespace netprobe
