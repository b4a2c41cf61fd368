// The DOM layer from memory and from a file: the same bytes give the same tree.
#include <gtest/gtest.h>

#include "temp_dir.h"
#include "xml_dom.h"

namespace netprobe {
namespace {

TEST(XmlDocument, MemoryAndFileAgreeOnTheFixtures) {
    struct Row {
        const char* fixture;
        bool parses;
    } rows[] = {
        {"valid_utf8.ncc", true}, {"valid_utf16.ncc", true}, {"valid_gbk.ncc", true},
        {"not_xml.ncc", false},   {"truncated.ncc", false},  {"entity_bomb.ncc", false},
    };
    testing::TempDir dir;
    for (const Row& row : rows) {
        const std::string bytes = testing::ReadFixture(std::string("config/") + row.fixture);
        auto from_memory = xml::Document::LoadFromMemory(bytes);
        auto from_file = xml::Document::Load(dir.Write("MainCommunication.ncc", bytes));
        EXPECT_EQ(from_memory != nullptr, row.parses) << row.fixture;
        EXPECT_EQ(from_file != nullptr, row.parses) << row.fixture;
        if (!from_memory || !from_file) continue;
        EXPECT_EQ(from_memory->Root().Name(), from_file->Root().Name()) << row.fixture;
        EXPECT_EQ(from_memory->Root().ChildNodes().size(), from_file->Root().ChildNodes().size()) << row.fixture;
    }
}

TEST(XmlDocument, EmptyAndRootlessInputsDoNotParse) {
    for (const std::string& bytes : {std::string(), std::string("<?xml version=\"1.0\"?>"),
                                    std::string("\0\0\0", 3), std::string("<!-- only -->")}) {
        EXPECT_EQ(xml::Document::LoadFromMemory(bytes), nullptr);
    }
}

}  // namespace
}  // namespace netprobe
