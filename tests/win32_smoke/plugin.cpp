// Checks run inside a DLL (like the netprobe plug-in): static libcurl and
// libxml2, std::thread, code page 936, CJK font substitution, GBK handler.
#include <winsock2.h>  // before windows.h
#include <windows.h>

#include <curl/curl.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

#include "gbk_handler.h"

namespace {

int g_passed = 0, g_failed = 0;

void Check(bool ok, const char* what, const std::string& detail = {}) {
    (ok ? g_passed : g_failed)++;
    std::printf("%s: %s%s%s\n", ok ? "ok" : "FAIL", what, detail.empty() ? "" : " -- ",
                detail.c_str());
    std::fflush(stdout);
}

std::string Hex(const std::string& s) {
    std::string r;
    char b[4];
    for (unsigned char c : s) {
        std::snprintf(b, sizeof b, "%02X", c);
        r += b;
    }
    return r;
}

// UTF-8 and GBK spellings of 中文测试.
const std::string kZhUtf8 = "\xE4\xB8\xAD\xE6\x96\x87\xE6\xB5\x8B\xE8\xAF\x95";
const std::string kZhGbk = "\xD6\xD0\xCE\xC4\xB2\xE2\xCA\xD4";

std::string NodeText(xmlNodePtr n) {
    xmlChar* c = xmlNodeGetContent(n);
    std::string s = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return s;
}

std::string Attr(xmlNodePtr n, const char* name) {
    xmlChar* c = xmlGetProp(n, BAD_CAST name);
    std::string s = c ? reinterpret_cast<const char*>(c) : "";
    xmlFree(c);
    return s;
}

xmlDocPtr ParseBytes(const std::string& bytes) {
    return xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), "mem.xml", nullptr,
                         XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
}

void CheckCodePage() {
    UINT acp = GetACP();
    std::printf("GetACP() = %u, GetOEMCP() = %u\n", acp, GetOEMCP());
    Check(acp == 936, "ANSI code page is 936", std::to_string(acp));
    // "中" in the ANSI code page must be the GBK bytes D6 D0.
    char buf[8] = {};
    int n = WideCharToMultiByte(CP_ACP, 0, L"\u4E2D", 1, buf, sizeof buf, nullptr, nullptr);
    Check(n == 2 && std::string(buf, 2) == "\xD6\xD0", "CP_ACP encodes U+4E2D as D6 D0",
          Hex(std::string(buf, n > 0 ? n : 0)));
}

void CheckFont(const wchar_t* face, const char* label) {
    HDC dc = CreateCompatibleDC(nullptr);
    // DEFAULT_CHARSET: an unknown face must not be rescued by a charset match.
    HFONT f = CreateFontW(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ old = SelectObject(dc, f);
    wchar_t got[LF_FACESIZE] = {};
    GetTextFaceW(dc, LF_FACESIZE, got);
    WORD glyph = 0xFFFF;
    DWORD r = GetGlyphIndicesW(dc, L"\u4E2D", 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS);
    char facebuf[LF_FACESIZE * 3] = {};
    WideCharToMultiByte(CP_UTF8, 0, got, -1, facebuf, sizeof facebuf, nullptr, nullptr);
    // A substituted face keeps its requested name (as on Windows); without
    // the substitute Wine falls back to some other family.
    std::string what = std::string(label) + " is substituted and has a glyph for U+4E2D";
    Check(f != nullptr && std::wcscmp(got, face) == 0 && r == 1 && glyph != 0xFFFF, what.c_str(),
          std::string("face=") + facebuf + " glyph=" + std::to_string(glyph));
    SelectObject(dc, old);
    DeleteObject(f);
    DeleteDC(dc);
}

void CheckCurl() {
    const char* v = curl_version();
    std::printf("curl_version(): %s\n", v);
    Check(std::strstr(v, "libcurl/7.") != nullptr, "curl_version names libcurl 7.x");
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    Check((info->features & CURL_VERSION_ASYNCHDNS) != 0, "threaded (async) resolver built in");
    bool http = false;
    for (const char* const* p = info->protocols; *p; ++p) http |= std::strcmp(*p, "http") == 0;
    Check(http, "http protocol built in");

    CURL* h = curl_easy_init();
    Check(h != nullptr, "curl_easy_init");
    CURLcode rc = curl_easy_setopt(h, CURLOPT_PROXY, "socks5h://127.0.0.1:1");
    Check(rc == CURLE_OK, "CURLOPT_PROXY accepted (proxy support built in)", std::to_string(rc));
    curl_easy_setopt(h, CURLOPT_URL, "http://example.invalid/");
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, 5000L);
    rc = curl_easy_perform(h);
    // Port 1 on loopback refuses: the SOCKS connect itself must be attempted.
    Check(rc == CURLE_COULDNT_CONNECT, "SOCKS5 proxy connect attempted (refused port)",
          curl_easy_strerror(rc));
    curl_easy_cleanup(h);
}

size_t Collect(char* p, size_t sz, size_t n, void* ud) {
    static_cast<std::string*>(ud)->append(p, sz * n);
    return sz * n;
}

// Real transfers against loopback peers started by run.sh (skipped if unset).
void CheckTransfers() {
    const char* url = std::getenv("SMOKE_HTTP_URL");
    if (!url || !*url) {
        std::printf("skip: SMOKE_HTTP_URL unset\n");
        return;
    }
    const char* socks = std::getenv("SMOKE_SOCKS5");
    for (int via_socks = 0; via_socks < 2; ++via_socks) {
        if (via_socks && (!socks || !*socks)) continue;
        CURL* h = curl_easy_init();
        std::string body;
        curl_easy_setopt(h, CURLOPT_URL, url);
        curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, Collect);
        curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
        curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, 10000L);
        if (via_socks) curl_easy_setopt(h, CURLOPT_PROXY, socks);
        CURLcode rc = curl_easy_perform(h);
        long code = 0;
        curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &code);
        curl_easy_cleanup(h);
        std::string what = via_socks ? "HTTP GET through SOCKS5 proxy" : "HTTP GET on loopback";
        Check(rc == CURLE_OK && code == 200 && body == "netprobe-smoke-ok\n", what.c_str(),
              std::string(curl_easy_strerror(rc)) + " status=" + std::to_string(code) +
                  " body=" + body);
    }
}

void CheckXmlAndThreads() {
    const char doc[] = "<?xml version=\"1.0\"?><root><item n=\"1\">hello</item></root>";
    xmlDocPtr d = xmlParseMemory(doc, sizeof doc - 1);
    Check(d && NodeText(xmlDocGetRootElement(d)) == "hello", "xmlParseMemory of a trivial doc");
    xmlFreeDoc(d);

    // libxml2 (Win32 threads) and libcurl handles used from several std::threads.
    std::atomic<int> good{0};
    std::vector<std::thread> ts;
    for (int i = 0; i < 4; ++i) {
        ts.emplace_back([&good, i] {
            for (int k = 0; k < 50; ++k) {
                std::string s = "<r a=\"" + std::to_string(i) + "\">" + std::to_string(k) + "</r>";
                xmlDocPtr x = ParseBytes(s);
                bool ok = x && Attr(xmlDocGetRootElement(x), "a") == std::to_string(i) &&
                          NodeText(xmlDocGetRootElement(x)) == std::to_string(k);
                xmlFreeDoc(x);
                CURL* h = curl_easy_init();
                ok = ok && h;
                curl_easy_cleanup(h);
                if (ok) good++;
            }
        });
    }
    for (auto& t : ts) t.join();
    Check(good == 200, "4 std::threads x 50 parses + curl handles", std::to_string(good.load()));
}

void CheckGbkConverters() {
    using netprobe_smoke::GbkToUtf8;
    using netprobe_smoke::Utf8ToGbk;
    unsigned char out[64];
    int outlen, inlen, r;

    // Lead byte at the end of a chunk waits for the next call.
    const std::string a = "a\xD6";
    outlen = sizeof out, inlen = 2;
    r = GbkToUtf8(out, &outlen, reinterpret_cast<const unsigned char*>(a.data()), &inlen);
    Check(r == 1 && inlen == 1 && outlen == 1 && out[0] == 'a',
          "GBK->UTF-8 leaves a trailing lead byte unconsumed",
          "r=" + std::to_string(r) + " inlen=" + std::to_string(inlen));
    const std::string b = "\xD6\xD0" "b";
    outlen = sizeof out, inlen = 3;
    r = GbkToUtf8(out, &outlen, reinterpret_cast<const unsigned char*>(b.data()), &inlen);
    Check(r == 4 && inlen == 3 && std::string(reinterpret_cast<char*>(out), 4) == "\xE4\xB8\xAD" "b",
          "GBK->UTF-8 completes the character on the next call",
          Hex(std::string(reinterpret_cast<char*>(out), outlen > 0 ? outlen : 0)));

    // Output space for one character only: no partial UTF-8 written.
    outlen = 4, inlen = static_cast<int>(kZhGbk.size());
    r = GbkToUtf8(out, &outlen, reinterpret_cast<const unsigned char*>(kZhGbk.data()), &inlen);
    Check(r == 3 && inlen == 2 && outlen == 3, "GBK->UTF-8 respects the output size",
          "r=" + std::to_string(r) + " inlen=" + std::to_string(inlen));

    // Invalid double-byte sequence (lead byte + space) is an error at its offset.
    const std::string bad = "ab\x81\x20";
    outlen = sizeof out, inlen = 4;
    r = GbkToUtf8(out, &outlen, reinterpret_cast<const unsigned char*>(bad.data()), &inlen);
    Check(r == -2 && inlen == 2 && outlen == 2, "GBK->UTF-8 reports an invalid sequence",
          "r=" + std::to_string(r) + " inlen=" + std::to_string(inlen));

    // UTF-8 split in the middle of a sequence.
    const std::string u = "x\xE4\xB8";
    outlen = sizeof out, inlen = 3;
    r = Utf8ToGbk(out, &outlen, reinterpret_cast<const unsigned char*>(u.data()), &inlen);
    Check(r == 1 && inlen == 1 && out[0] == 'x', "UTF-8->GBK leaves a split sequence unconsumed");
    outlen = sizeof out, inlen = static_cast<int>(kZhUtf8.size());
    r = Utf8ToGbk(out, &outlen, reinterpret_cast<const unsigned char*>(kZhUtf8.data()), &inlen);
    Check(r == 8 && std::string(reinterpret_cast<char*>(out), 8) == kZhGbk, "UTF-8->GBK of 中文测试",
          Hex(std::string(reinterpret_cast<char*>(out), outlen > 0 ? outlen : 0)));
    // U+1F600 has no GBK (cp936) form: error right before it.
    const std::string emoji = "ok\xF0\x9F\x98\x80";
    outlen = sizeof out, inlen = static_cast<int>(emoji.size());
    r = Utf8ToGbk(out, &outlen, reinterpret_cast<const unsigned char*>(emoji.data()), &inlen);
    Check(r == -2 && inlen == 2 && outlen == 2, "UTF-8->GBK reports an unmappable character",
          "r=" + std::to_string(r) + " inlen=" + std::to_string(inlen));
    // libxml2's initialisation call.
    outlen = sizeof out, inlen = 0;
    r = Utf8ToGbk(out, &outlen, nullptr, &inlen);
    Check(r == 0 && outlen == 0, "UTF-8->GBK init call writes nothing");
}

void CheckGbkDocuments() {
    // Before registration libxml2 (no iconv) cannot read the document.
    std::string gbk_doc = "<?xml version=\"1.0\" encoding=\"GBK\"?>\n<cfg name=\"" +
                          kZhGbk.substr(0, 4) + "\">" + kZhGbk + "</cfg>\n";
    static bool first = true;
    if (first) {
        xmlDocPtr d0 = ParseBytes(gbk_doc);
        Check(d0 == nullptr, "GBK document is rejected before the handler is registered");
        xmlFreeDoc(d0);
        first = false;
    }
    Check(netprobe_smoke::RegisterGbkEncoding() != nullptr, "GBK handler registered");
    Check(netprobe_smoke::RegisterGbkEncoding() == netprobe_smoke::RegisterGbkEncoding(),
          "registration is idempotent");

    for (const char* enc : {"GBK", "gb2312", "CP936"}) {
        std::string doc = gbk_doc;
        doc.replace(doc.find("GBK"), 3, enc);
        xmlDocPtr d = ParseBytes(doc);
        xmlNodePtr root = d ? xmlDocGetRootElement(d) : nullptr;
        std::string text = root ? NodeText(root) : "";
        std::string attr = root ? Attr(root, "name") : "";
        std::string what = std::string("parse encoding=\"") + enc + "\" document with 中文";
        Check(root && text == kZhUtf8 && attr == kZhUtf8.substr(0, 6), what.c_str(),
              "text=" + Hex(text) + " attr=" + Hex(attr));
        xmlFreeDoc(d);
    }

    // Large document: characters straddle libxml2's internal chunk boundaries.
    std::string big = "<?xml version=\"1.0\" encoding=\"GBK\"?><r>";
    std::string expect;
    for (int i = 0; i < 20000; ++i) {
        if (i % 7 == 0) { big += "x"; expect += "x"; }
        big += kZhGbk;
        expect += kZhUtf8;
    }
    big += "</r>";
    xmlDocPtr d = ParseBytes(big);
    std::string text = d ? NodeText(xmlDocGetRootElement(d)) : "";
    Check(text == expect, "large GBK document converts across chunk boundaries",
          "got " + std::to_string(text.size()) + " bytes, want " + std::to_string(expect.size()));
    xmlFreeDoc(d);

    // Invalid GBK bytes make the parse fail instead of producing garbage.
    std::string broken = "<?xml version=\"1.0\" encoding=\"GBK\"?><r>\x81\x20</r>";
    xmlDocPtr db = ParseBytes(broken);
    Check(db == nullptr, "invalid GBK bytes fail the parse");
    xmlFreeDoc(db);

    // Saving as GBK: 中文 as GBK bytes, an unmappable character as a reference.
    xmlDocPtr out = xmlNewDoc(BAD_CAST "1.0");
    xmlNodePtr root = xmlNewDocNode(out, nullptr, BAD_CAST "r", nullptr);
    xmlDocSetRootElement(out, root);
    std::string content = kZhUtf8 + "\xF0\x9F\x98\x80";
    xmlNodeAddContent(root, BAD_CAST content.c_str());
    xmlChar* mem = nullptr;
    int len = 0;
    xmlDocDumpMemoryEnc(out, &mem, &len, "GBK");
    std::string saved = mem ? std::string(reinterpret_cast<char*>(mem), len) : "";
    xmlFree(mem);
    xmlFreeDoc(out);
    Check(saved.find(kZhGbk) != std::string::npos && saved.find("&#128512;") != std::string::npos &&
              saved.find("encoding=\"GBK\"") != std::string::npos,
          "xmlDocDumpMemoryEnc(GBK) writes GBK bytes and a character reference", saved);
    xmlDocPtr back = ParseBytes(saved);
    Check(back && NodeText(xmlDocGetRootElement(back)) == content, "GBK output parses back");
    xmlFreeDoc(back);
}

}  // namespace

extern "C" __declspec(dllexport) int smoke_run(int* passed, int* failed) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    xmlInitParser();
    CheckCodePage();
    CheckFont(L"\u5B8B\u4F53", "font 宋体 (SimSun)");
    CheckFont(L"\u9ED1\u4F53", "font 黑体 (SimHei)");
    CheckFont(L"\u65B0\u5B8B\u4F53", "font 新宋体 (NSimSun)");
    CheckCurl();
    CheckTransfers();
    CheckXmlAndThreads();
    CheckGbkConverters();
    CheckGbkDocuments();
    xmlCleanupParser();
    curl_global_cleanup();
    *passed = g_passed;
    *failed = g_failed;
    return g_failed == 0 ? 0 : 1;
}
