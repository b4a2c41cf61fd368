// The password codec: arbitrary code texts through DecryptText and TCrypt::Decrypt, and the
// encoder's code texts back through the decoder.
//
// Input: a selector byte, then either a code text (decoding) or a key offset byte and a
// password (round trip).
#include <cstdlib>
#include <string>

#include "comm/f_EndecryptInterface.h"
#include "comm/password_encoder.h"
#include "fuzz/fuzz_input.h"

namespace netprobe::fuzz {
namespace {

void DecodeArbitrary(const std::string& code) {
    const TCrypt crypt;
    const std::string plain = DecryptText(code);
    Check(plain.size() <= kMaxCodeTextLength);
    // DecryptText reads only the first 255 code characters.
    Check(plain == DecryptText(code.substr(0, kMaxCodeTextLength)));
    const std::string whole = crypt.Decrypt(code);
    if (code.size() <= kMaxCodeTextLength) Check(whole.substr(0, kMaxCodeTextLength) == plain);
    // Three code characters give at most four digits, three digits one byte.
    Check(whole.size() <= code.size());
}

void ConvertArbitrary(Input& in) {
    const int from = in.Byte() % 100;
    const int to = in.Byte() % 100;
    const TCrypt crypt;
    const std::string digits = in.Text(32);
    const std::string out = TCrypt::ConvertBase(crypt.Alphabet, digits, from, to);
    if (out.empty()) return;
    // The result is a number of base `to` and converts back to the same value.
    Check(out.find_first_not_of(crypt.Alphabet.substr(0, static_cast<std::size_t>(to))) == std::string::npos);
    const std::string back = TCrypt::ConvertBase(crypt.Alphabet, out, to, from);
    Check(!back.empty());
    Check(TCrypt::ConvertBase(crypt.Alphabet, back, from, to) == out);
}

void RoundTrip(Input& in) {
    const int offset = 10 + in.Byte() % 90;
    const std::string plain = in.Rest();
    const std::string code = EncodePassword(plain, offset);
    const TCrypt crypt;
    Check(code.find_first_not_of(crypt.Alphabet) == std::string::npos);
    Check(crypt.Decrypt(code) == plain);
    const std::string stored = EncodeStoredPassword(plain, offset);
    Check(stored == std::string(kStoredPasswordMarker) + code);
    if (plain.size() <= kMaxStoredPasswordLength) {
        Check(code.size() <= kMaxCodeTextLength);
        Check(DecryptText(code) == plain);
    }
}

}  // namespace
}  // namespace netprobe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    netprobe::fuzz::Input in(data, size);
    switch (in.Byte() % 3) {
        case 0:
            netprobe::fuzz::DecodeArbitrary(in.Rest());
            break;
        case 1:
            netprobe::fuzz::ConvertArbitrary(in);
            break;
        default:
            netprobe::fuzz::RoundTrip(in);
            break;
    }
    return 0;
}
