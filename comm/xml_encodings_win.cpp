#include <libxml/encoding.h>
#include <windows.h>

#include <array>
#include <utility>

#include "comm/xml_code_page_handler.h"
#include "comm/xml_encodings.h"

namespace netprobe::xml {
namespace {

// libxml2's converters take no context: each code page gets a slot function of its own,
// which looks its code page up here. Written once, before the first parse.
constexpr std::size_t kSlots = 24;
std::array<unsigned, kSlots> g_slot_code_page{};

template <std::size_t I>
int SlotToUtf8(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    return CodePageToUtf8Chunk(g_slot_code_page[I], out, outlen, in, inlen);
}

template <std::size_t... I>
constexpr std::array<xmlCharEncodingInputFunc, sizeof...(I)> MakeSlots(std::index_sequence<I...>) {
    return {&SlotToUtf8<I>...};
}
constexpr auto kSlotFunctions = MakeSlots(std::make_index_sequence<kSlots>{});

}  // namespace

// libxml2 is built without iconv here: the code page encodings are served by the system's
// conversion. The handlers are registered under their names and stay for the process; the
// libxml2 they go into is the module's own static copy.
void RegisterCodePageEncodings() {
    std::size_t slot = 0;
    for (const Encoding& encoding : CodePageEncodings()) {
        if (encoding.code_page == 936) {
            xmlNewCharEncodingHandler(encoding.name, GbkToUtf8Chunk, Utf8ToGbkChunk);
            continue;
        }
        // GB18030 has a converter of our own where the system lacks one (Wine).
        if (slot == kSlots || (!IsValidCodePage(encoding.code_page) && encoding.code_page != 54936)) continue;
        g_slot_code_page[slot] = encoding.code_page;
        xmlNewCharEncodingHandler(encoding.name, kSlotFunctions[slot], nullptr);
        ++slot;
    }
}

}  // namespace netprobe::xml
