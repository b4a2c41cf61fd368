// netprobe show-config: the channel that the module would read, or the loader's message.
#include <cstdio>
#include <memory>

#include "comm/f_CommunicationConfig.h"
#include "core/display_text.h"
#include "core/gbk.h"
#include "tools/cli.h"
#include "tools/console/console_out.h"
#include "tools/json_output.h"

namespace netprobe::cli {
namespace {

using console::Print;

// A text of the configuration (GBK) as one field of the listing.
std::string Shown(const std::string& gbk) { return DisplayText(GbkToUtf8(gbk)); }

struct LoadOutcome {
    bool ok = false;
    bool raised = false;
    std::string message;  // GBK
    std::string error;    // the raised error's text
};

LoadOutcome Load(TDataVO& block) {
    LoadOutcome outcome;
    try {
        outcome.ok = LoadCommunicationConfig(block, outcome.message);
    } catch (const std::exception& e) {
        outcome.raised = true;
        outcome.error = e.what();
    }
    return outcome;
}

void PrintJson(const LoadOutcome& outcome, const TCommuniConfig* channel) {
    Json json;
    json["ok"] = outcome.ok;
    json["message"] = JsonText(outcome.ok ? "" : GbkToUtf8(outcome.message));
    if (outcome.raised) json["error"] = JsonText(GbkToUtf8(outcome.error));
    json["channel"] = nullptr;
    if (outcome.ok && channel) {
        Json& c = json["channel"];
        c["name"] = JsonText(GbkToUtf8(channel->GetName()));
        c["describe"] = JsonText(GbkToUtf8(channel->GetDescribe()));
        c["timeout"] = channel->GetTimeout();
        c["servers"] = Json::array();
        for (std::int32_t i = 0; i < channel->GetServerCount(); ++i) {
            const TCommuniServer* server = channel->GetServer(i);
            c["servers"].push_back({{"ip", JsonText(GbkToUtf8(server->ServerIP))},
                                    {"port", server->Port},
                                    {"action", JsonText(GbkToUtf8(server->ServerAction))}});
        }
    }
    Print("%s\n", JsonDump(json).c_str());
}

void PrintText(const LoadOutcome& outcome, const TCommuniConfig* channel) {
    if (outcome.raised) {
        Print("configuration could not be read: %s\n", Shown(outcome.error).c_str());
        return;
    }
    if (!outcome.ok) {
        Print("%s\n", Shown(outcome.message).c_str());
        return;
    }
    if (!channel) {
        Print("no channel configured\n");
        return;
    }
    Print("channel  %s\n", Shown(channel->GetName()).c_str());
    if (!channel->GetDescribe().empty()) Print("describe %s\n", Shown(channel->GetDescribe()).c_str());
    Print("timeout  %d\n", channel->GetTimeout());
    Print("servers  %d\n", channel->GetServerCount());
    for (std::int32_t i = 0; i < channel->GetServerCount(); ++i) {
        const TCommuniServer* server = channel->GetServer(i);
        Print("  [%d] %s port %d action '%s'\n", i, Shown(server->ServerIP).c_str(), server->Port,
              Shown(server->ServerAction).c_str());
    }
}

}  // namespace

int ShowConfig(const std::vector<std::string>& args) {
    CommonOptions options;
    if (!ParseCommonOptions(args, options, false, false)) return kExitUsage;
    auto block = std::make_unique<TDataVO>();
    LoadOutcome outcome = Load(*block);
    const auto* channel = dynamic_cast<const TCommuniConfig*>(block->GetObject(kCommuniConfigKey, nullptr));
    if (options.json) {
        PrintJson(outcome, channel);
    } else {
        PrintText(outcome, channel);
    }
    return outcome.ok ? kExitOk : kExitFailed;
}

}  // namespace netprobe::cli
