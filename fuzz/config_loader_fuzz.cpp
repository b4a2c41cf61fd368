// The communication configuration loader on arbitrary file bytes: the file path through the
// host's installation directory and LoadCommunicationConfig, and the same bytes through the
// DOM layer from memory. The loader may raise EConvertError (empty or unreadable channel
// name) and nothing else; a loaded channel must give a probe record for every server.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "comm/config_values.h"
#include "comm/f_CommunicationConfig.h"
#include "comm/xml_dom.h"
#include "conntest/driver.h"
#include "conntest/probe_address.h"
#include "core/decimal.h"
#include "core/default_host.h"
#include "core/errors.h"
#include "core/texts.h"
#include "fuzz/fuzz_input.h"

namespace netprobe::fuzz {
namespace {

namespace fs = std::filesystem;

// An installation directory of its own per process (parallel jobs don't share files).
class TempInstallHost : public DefaultHost {
public:
    TempInstallHost() {
        std::string pattern = (fs::temp_directory_path() / "netprobe-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        dir_ = pattern + "/";
    }
    ~TempInstallHost() noexcept override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    std::string GetAppPath() override { return dir_; }
    std::string ConfigPath() const { return dir_ + kCommunicationConfigFile; }

private:
    std::string dir_;
};

TempInstallHost& InstallHost() {
    static TempInstallHost host;
    static const ScopedHost installed(host);
    return host;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Walks the tree as the loader's readers do; libxml2 bounds the depth (256 without
// XML_PARSE_HUGE), so the recursion is bounded as well.
void Walk(const xml::Node& node, int depth) {
    Check(depth <= 1024);
    (void)node.Name();
    if (std::optional<std::string> text = node.Text()) {
        std::optional<std::int32_t> value = ParseInt32(*text);
        if (value) Check(ParseInt32(std::to_string(*value)) == value);
    }
    for (const xml::Node& child : node.ChildNodes()) Walk(child, depth + 1);
    (void)node.FindChild("COMMUNICATIONS");
}

void CheckChannel(const TDataVO& block) {
    const auto* channel = dynamic_cast<const TCommuniConfig*>(block.GetObject(kCommuniConfigKey, nullptr));
    if (!channel) return;
    Check(!channel->GetName().empty());
    for (std::int32_t i = 0; i < channel->GetServerCount(); ++i) {
        TServerInfo info = BuildServerInfo(*channel, block, i);  // no proxy container: direct
        Check(!info.ProxyEnabled);
        if (std::optional<std::string> address = BuildProbeAddress(info)) Check(StartsWith(*address, "http://"));
    }
}

void LoadThroughTheFile(const std::string& bytes, bool parses) {
    TempInstallHost& host = InstallHost();
    {
        std::ofstream out(host.ConfigPath(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        Check(static_cast<bool>(out));
    }
    TDataVO block;
    std::string message = "untouched";
    bool ok = false;
    try {
        ok = LoadCommunicationConfig(block, message);
    } catch (const EConvertError&) {
        return;  // the loader's documented error: a channel without a usable name
    }
    const std::string prefix = texts::ConfigFilePrefix() + host.ConfigPath();
    if (!parses) {
        Check(!ok && message == prefix + texts::ConfigFileLoadFailed());
        return;
    }
    if (ok) {
        Check(message == "untouched");
        CheckChannel(block);
    } else {
        Check(message == prefix + "]" + texts::ConfigMalformed());
    }
}

}  // namespace
}  // namespace netprobe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace netprobe;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<xml::Document> doc = xml::Document::LoadFromMemory(bytes);
    if (doc) fuzz::Walk(doc->Root(), 0);
    fuzz::LoadThroughTheFile(bytes, doc != nullptr);
    return 0;
}
