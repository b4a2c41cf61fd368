#pragma once

#include <string>
#include <vector>

namespace netprobe::testing {

// The channel file's name in an installation folder.
inline constexpr const char* kChannelFileName = "MainCommunication.ncc";

// One server of a channel: the address, the port and the action the probe asks for.
struct ChannelServer {
    std::string ip = "127.0.0.1";
    int port = 0;
    std::string action = "check";
};

// A channel file with one channel, written as the tests need it byte for byte. The loader goes
// by position below the root and below COMMUNICATIONS and SERVERS, so the root's, the channel's
// and the servers' element names are the writer's choice.
struct ChannelFile {
    static constexpr const char* kPlain = "<?xml version=\"1.0\"?>";
    static constexpr const char* kUtf8 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    static constexpr const char* kGbk = "<?xml version=\"1.0\" encoding=\"GBK\"?>";

    std::string declaration = kPlain;  // with whatever follows it before the root
    std::string root_tag = "CONFIG";
    std::string channel_tag = "UPDATE";
    std::string name = "up";  // the bytes of NAME, in the declared encoding
    std::string server_tag = "SERVER";
    std::vector<ChannelServer> servers = {};
    std::string timeout = "2000";  // the text of TIMEOUT
    std::string end = "";          // what follows the root element: "", "\n", "\r\n"

    std::string Text() const;
    // Writes the file at `path` (in the file system's bytes) and returns the path.
    std::string Write(const std::string& path) const;
    // Writes kChannelFileName into `folder`, which ends in a separator, and returns its path.
    std::string WriteInto(const std::string& folder) const;
};

}  // namespace netprobe::testing
