// netprobe show-config: the channel that the module would read, or the loader's message.
#include <cstdio>
#include <memory>

#include "comm/f_CommunicationConfig.h"
#include "core/gbk.h"
#include "tools/cli.h"
#include "tools/console/console_out.h"
#include "tools/json_writer.h"

namespace netprobe::cli {
namespace {

using console::Print;

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
    JsonWriter json;
    json.BeginObject();
    json.Key("ok").Bool(outcome.ok);
    json.Key("message").String(outcome.ok ? "" : GbkToUtf8(outcome.message));
    if (outcome.raised) json.Key("error").String(GbkToUtf8(outcome.error));
    json.Key("channel");
    if (!outcome.ok || !channel) {
        json.Null();
    } else {
        json.BeginObject();
        json.Key("name").String(GbkToUtf8(channel->GetName()));
        json.Key("describe").String(GbkToUtf8(channel->GetDescribe()));
        json.Key("timeout").Int(channel->GetTimeout());
        json.Key("servers").BeginArray();
        for (std::int32_t i = 0; i < channel->GetServerCount(); ++i) {
            const TCommuniServer* server = channel->GetServer(i);
            json.BeginObject();
            json.Key("ip").String(GbkToUtf8(server->ServerIP));
            json.Key("port").Int(server->Port);
            json.Key("action").String(GbkToUtf8(server->ServerAction));
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndObject();
    Print("%s\n", json.str().c_str());
}

void PrintText(const LoadOutcome& outcome, const TCommuniConfig* channel) {
    if (outcome.raised) {
        Print("configuration could not be read: %s\n", GbkToUtf8(outcome.error).c_str());
        return;
    }
    if (!outcome.ok) {
        Print("%s\n", GbkToUtf8(outcome.message).c_str());
        return;
    }
    if (!channel) {
        Print("no channel configured\n");
        return;
    }
    Print("channel  %s\n", GbkToUtf8(channel->GetName()).c_str());
    if (!channel->GetDescribe().empty()) Print("describe %s\n", GbkToUtf8(channel->GetDescribe()).c_str());
    Print("timeout  %d\n", channel->GetTimeout());
    Print("servers  %d\n", channel->GetServerCount());
    for (std::int32_t i = 0; i < channel->GetServerCount(); ++i) {
        const TCommuniServer* server = channel->GetServer(i);
        Print("  [%d] %s port %d action '%s'\n", i, GbkToUtf8(server->ServerIP).c_str(), server->Port,
              GbkToUtf8(server->ServerAction).c_str());
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
