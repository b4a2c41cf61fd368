#include "comm/f_CommunicationConfig.h"

#include "comm/config_values.h"
#include "comm/xml_dom.h"
#include "core/HostFrameLib.h"
#include "core/errors.h"
#include "core/file_paths.h"
#include "core/texts.h"

namespace netprobe {

TCommuniServer* TArrayCommuniSever::Get(std::int32_t index) const {
    if (index < 0 || index >= Count()) {
        throw EListError("server index " + std::to_string(index) + " out of bounds (" + std::to_string(Count()) +
                         " servers)");
    }
    return items_[static_cast<std::size_t>(index)].get();
}

TCommuniConfigImpl::TCommuniConfigImpl() { Values = std::make_unique<TDataVO>(); }

TCommuniConfigImpl::~TCommuniConfigImpl() noexcept(false) {
    Servers.Clear();
    Values.reset();
}

void TCommuniConfigImpl::AddServer(TCommuniServer* server) {
    std::unique_ptr<TCommuniServer> owned(server);
    Servers.Add(std::move(owned));
}

namespace {

using config::ReadInteger;
using config::ReadText;

void ReadServers(TCommuniConfig& channel, const xml::Node& servers) {
    for (const xml::Node& item : servers.ChildNodes()) {
        auto server = std::make_unique<TCommuniServer>();
        // On the server level an empty text counts as absent.
        if (auto ip = item.FindChild("SERVERIP")) {
            std::string text = ReadText(*ip);
            if (!text.empty()) server->ServerIP = text;
        }
        if (auto port = item.FindChild("PORT")) {
            if (!ReadText(*port).empty()) server->Port = ReadInteger(*port);
        }
        if (auto action = item.FindChild("SERVERACTION")) {
            std::string text = ReadText(*action);
            if (!text.empty()) server->ServerAction = text;
        }
        channel.AddServer(server.release());
    }
}

void ReadChannelSettings(TCommuniConfig& channel, const xml::Node& node) {
    using IntSetter = void (TCommuniConfig::*)(std::int32_t);
    using TextSetter = void (TCommuniConfig::*)(const std::string&);
    struct Setting {
        const char* element;
        IntSetter set_int;
        TextSetter set_text;
    };
    static const Setting kSettings[] = {
        {"SERVERTYPE", &TCommuniConfig::SetServerType, nullptr},
        {"TIMEOUT", &TCommuniConfig::SetTimeout, nullptr},
        {"COMMUNTYPE", &TCommuniConfig::SetCommunType, nullptr},
        {"COMPRESSTYPE", &TCommuniConfig::SetCompressType, nullptr},
        {"COMPRESSCOMPONENT", nullptr, &TCommuniConfig::SetCompressComponent},
        {"CRYPTTYPE", &TCommuniConfig::SetCryptType, nullptr},
        {"CRYPTCOMPONENT", nullptr, &TCommuniConfig::SetCryptComponent},
        {"SSLENABLE", &TCommuniConfig::SetSSLEnable, nullptr},
        {"SSLMETHOD", nullptr, &TCommuniConfig::SetSSLMethod},
        {"SSLVERIFYPEER", &TCommuniConfig::SetSSLVerifyPeer, nullptr},
        {"SSLFAILIFNOPEERCERT", &TCommuniConfig::SetSSLFailIfNoPeerCert, nullptr},
        {"SSLVERIFYCLIENTONCE", &TCommuniConfig::SetSSLVerifyClientOnce, nullptr},
        {"SSLCERTDEPTH", &TCommuniConfig::SetSSLCertDepth, nullptr},
    };
    for (const Setting& setting : kSettings) {
        auto element = node.FindChild(setting.element);
        if (!element) continue;
        if (setting.set_int) {
            (channel.*setting.set_int)(ReadInteger(*element));
        } else {
            (channel.*setting.set_text)(config::ReadNonEmptyText(*element));
        }
    }
}

}  // namespace

bool ReadCommuniConfig(TDataVO& block, const xml::Node& node, std::string& message) {
    auto name_node = node.FindChild("NAME");
    if (!name_node) {
        message = texts::ConfigMalformed();
        return false;
    }
    // Outside the guard: an empty or unreadable name raises to the loader's caller.
    const std::string name = config::ReadNonEmptyText(*name_node);

    auto channel = std::make_unique<TCommuniConfigImpl>();
    channel->SetName(name);
    try {
        if (auto describe = node.FindChild("DESCRIBE")) channel->SetDescribe(config::ReadNonEmptyText(*describe));
        if (auto servers = node.FindChild("SERVERS")) ReadServers(*channel, *servers);
        ReadChannelSettings(*channel, node);
    } catch (const std::exception&) {
        message = texts::ConfigMalformed();
        return false;  // the channel and the servers read so far go with it
    }
    block.SetObject(kCommuniConfigKey, channel.get());
    channel.release();
    return true;
}

bool LoadCommunicationConfig(TDataVO& block, std::string& message) {
    const std::string path = Host().GetAppPath() + kCommunicationConfigFile;
    if (!IsRegularFile(path)) {
        message = texts::ConfigFilePrefix() + PathText(path) + texts::ConfigFileMissing();
        return false;
    }
    std::unique_ptr<xml::Document> doc = xml::Document::Load(path);
    if (!doc) {
        message = texts::ConfigFilePrefix() + PathText(path) + texts::ConfigFileLoadFailed();
        return false;
    }
    auto channels = doc->Root().FindChild("COMMUNICATIONS");
    if (!channels) return true;
    for (const xml::Node& channel : channels->ChildNodes()) {
        std::string reader_message;
        if (!ReadCommuniConfig(block, channel, reader_message)) {
            message = texts::ConfigFilePrefix() + PathText(path) + "]" + reader_message;
            return false;
        }
    }
    return true;
}

}  // namespace netprobe
