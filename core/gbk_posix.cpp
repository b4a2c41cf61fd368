#include <iconv.h>

#include <cerrno>
#include <stdexcept>

#include "core/gbk.h"
#include "core/gbk_skip.h"

namespace netprobe {
namespace {

using gbk_detail::SkipGbk;
using gbk_detail::SkipUtf8;

class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
    }
    ~Iconv() { iconv_close(cd_); }
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;
    iconv_t get() const { return cd_; }

private:
    iconv_t cd_;
};

// Length of the input character that failed to convert, so that it can be skipped whole.
using SkipFn = std::size_t (*)(const unsigned char* p, std::size_t left);

std::string Convert(const char* to, const char* from, std::string_view in, SkipFn skip) {
    Iconv cd(to, from);
    std::string out;
    char buffer[512];
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
        char* dst = buffer;
        std::size_t room = sizeof buffer;
        std::size_t rc = iconv(cd.get(), &src, &left, &dst, &room);
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: replace the offending character and go on after it.
        std::size_t n = skip(reinterpret_cast<const unsigned char*>(src), left);
        src += n;
        left -= n;
        out.push_back('?');
        iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

std::string Utf8ToGbk(std::string_view utf8) { return Convert("GBK", "UTF-8", utf8, SkipUtf8); }
std::string GbkToUtf8(std::string_view gbk) { return Convert("UTF-8", "GBK", gbk, SkipGbk); }

}  // namespace netprobe
