// The DOM layer from memory and from a file: the same bytes give the same tree; nothing is
// printed on the way.
#include <gtest/gtest.h>
#include <libxml/encoding.h>
#include <libxml/globals.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include "comm/xml_dom.h"
#include "tests/support/temp_dir.h"

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
    for (const std::string& bytes : {std::string(), std::string("<?xml version=\"1.0\"?>"), std::string("\0\0\0", 3),
                                     std::string("<!-- only -->")}) {
        EXPECT_EQ(xml::Document::LoadFromMemory(bytes), nullptr);
    }
}

// A byte sequence that GBK lacks, in a file declared GBK: libxml2 reports it on a channel of
// its own that used to reach standard error.
const std::string kBrokenGbk =
    "<?xml version=\"1.0\" encoding=\"GBK\"?><C><COMMUNICATIONS><U><NAME>a\x81\x20"
    "b</NAME></U></COMMUNICATIONS></C>";

int g_caller_handler_calls = 0;
void CallerHandler(void*, const char*, ...) { ++g_caller_handler_calls; }

TEST(XmlDocument, EncodingErrorsPrintNothing) {
    ::testing::internal::CaptureStderr();
    auto doc = xml::Document::LoadFromMemory(kBrokenGbk);
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(doc, nullptr);
    EXPECT_EQ(printed, "");
}

TEST(XmlDocument, TheCallersErrorHandlerIsPutBackUntouched) {
    int context = 0;
    xmlSetGenericErrorFunc(&context, CallerHandler);
    g_caller_handler_calls = 0;
    EXPECT_EQ(xml::Document::LoadFromMemory(kBrokenGbk), nullptr);
    EXPECT_EQ(g_caller_handler_calls, 0);
    EXPECT_EQ(xmlGenericError, &CallerHandler);
    EXPECT_EQ(xmlGenericErrorContext, &context);
    xmlSetGenericErrorFunc(nullptr, nullptr);  // libxml2's default again
}

// libxml2 may be shared with the host: a parse leaves its entity loader and its encoding
// aliases as they were.
TEST(XmlDocument, LeavesLibxml2sProcessWideSettingsAlone) {
    const xmlExternalEntityLoader loader = xmlGetExternalEntityLoader();
    const std::string gb2312 = "<?xml version=\"1.0\" encoding=\"GB2312\"?><C>\xB8\xFC</C>";
    EXPECT_NE(xml::Document::LoadFromMemory(gb2312), nullptr);
    EXPECT_EQ(xmlGetExternalEntityLoader(), loader);
    EXPECT_EQ(xmlGetEncodingAlias("GB2312"), nullptr);
}

}  // namespace
}  // namespace netprobe
