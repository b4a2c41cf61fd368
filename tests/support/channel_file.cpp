#include "tests/support/channel_file.h"

#include "tests/support/temp_dir.h"

namespace netprobe::testing {

namespace {

std::string Element(const std::string& tag, const std::string& text) {
    return "<" + tag + ">" + text + "</" + tag + ">";
}

std::string ServerText(const std::string& tag, const ChannelServer& server) {
    return Element(tag, Element("SERVERIP", server.ip) + Element("PORT", std::to_string(server.port)) +
                            Element("SERVERACTION", server.action));
}

}  // namespace

std::string ChannelFile::Text() const {
    std::string servers_text;
    for (const ChannelServer& server : servers) servers_text += ServerText(server_tag, server);
    const std::string channel =
        Element(channel_tag, Element("NAME", name) + Element("SERVERS", servers_text) + Element("TIMEOUT", timeout));
    return declaration + Element(root_tag, Element("COMMUNICATIONS", channel)) + end;
}

std::string ChannelFile::Write(const std::string& path) const { return WriteFile(path, Text()); }

std::string ChannelFile::WriteInto(const std::string& folder) const { return Write(folder + kChannelFileName); }

}  // namespace netprobe::testing
