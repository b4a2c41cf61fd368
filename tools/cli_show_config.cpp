// netprobe show-config: the channel that the module would read, or the loader's message.
#include <cstdio>
#include <memory>

#include "comm/f_CommunicationConfig.h"
#include "core/display_text.h"
#include "core/gbk.h"
#include "core/translate.h"
#include "tools/cli.h"
#include "tools/console/console_out.h"
#include "tools/json_output.h"
#include "tools/report_label.h"

namespace netprobe::cli {
namespace {

using console::Print;

// Where the values of the listing start, after their headings.
constexpr std::size_t kColumn = 9;

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
        Print("%s\n", TrFormat("configuration could not be read: %s", Shown(outcome.error)).c_str());
        return;
    }
    if (!outcome.ok) {
        Print("%s\n", Shown(outcome.message).c_str());
        return;
    }
    if (!channel) {
        Print("%s\n", Tr("no channel configured"));
        return;
    }
    Print("%s%s\n", Heading(Tr("channel"), kColumn).c_str(), Shown(channel->GetName()).c_str());
    if (!channel->GetDescribe().empty())
        Print("%s%s\n", Heading(Tr("describe"), kColumn).c_str(), Shown(channel->GetDescribe()).c_str());
    Print("%s%d\n", Heading(Tr("timeout"), kColumn).c_str(), channel->GetTimeout());
    Print("%s%d\n", Heading(Tr("servers"), kColumn).c_str(), channel->GetServerCount());
    for (std::int32_t i = 0; i < channel->GetServerCount(); ++i) {
        const TCommuniServer* server = channel->GetServer(i);
        Print("  %s\n", TrFormat("[%1$s] %2$s port %3$s action '%4$s'", i, Shown(server->ServerIP), server->Port,
                                 Shown(server->ServerAction))
                            .c_str());
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
