#include "conntest/driver.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "comm/f_CommunicationConfig.h"
#include "comm/proxy_settings.h"
#include "conntest/probe_address.h"
#include "core/decimal.h"
#include "core/gbk.h"
#include "core/texts.h"

namespace netprobe {
namespace {

using Clock = std::chrono::steady_clock;

std::int64_t ElapsedMs(Clock::time_point start, Clock::time_point finish) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(finish - start).count();
}

// A record that could not be built: a "ProxyAuthor" that is no Boolean text, or a server
// index outside the channel.
ProbeDiagnosis SettingsErrorDiagnosis(const std::exception& e) {
    ProbeDiagnosis d;
    d.cause = ProbeCause::kSettingsError;
    d.detail = GbkToUtf8(e.what());  // the error quotes the setting, GBK
    return d;
}

const TDataVO* ProxyBlock(const TDataVO& block) {
    return dynamic_cast<const TDataVO*>(block.GetObject(kProxyVOKey, nullptr));
}

// Tells the observer that a probe begins and returns the time that took, which the caller
// leaves out of the probe's elapsed time: watching never changes the server chosen.
Clock::duration TellStart(ProbeObserver* observer, ProbeStart start, const ProbeLimits& limits) {
    if (!observer) return {};
    const Clock::time_point told = Clock::now();
    start.longest = std::max(limits.backstop, limits.request);
    start.limit = std::min(limits.connect + limits.read, start.longest);
    observer->OnProbeStart(start);
    return Clock::now() - told;
}

void SwitchProxyOff(TDataVO& block) {
    if (auto* proxy = dynamic_cast<TDataVO*>(block.GetObject(kProxyVOKey, nullptr)))
        proxy->SetString("ProxyEnable", "0");
}

}  // namespace

TServerInfo BuildServerInfo(const TCommuniConfig& channel, const TDataVO& block, std::int32_t index) {
    const TCommuniServer* server = channel.GetServer(index);
    TServerInfo info;
    info.Host = server->ServerIP;
    info.PortText = std::to_string(server->Port);
    info.Action = server->ServerAction;
    // Without a proxy container (no caller of the module's own leaves it out) the probe
    // goes direct.
    if (const TDataVO* proxy = ProxyBlock(block)) {
        info.ProxyEnabled = proxy->GetString("ProxyEnable", "") == "1";
        info.ProxyKind = static_cast<std::uint8_t>(MapProxyMode(proxy->GetString("ProxyMode", ""))[0] - '0');
        info.ProxyHost = proxy->GetString("ProxyServer", "");
        info.ProxyPortText = proxy->GetString("ProxyPort", "");
        info.ProxyAuth = StrToBool(proxy->GetString("ProxyAuthor", ""));
        info.ProxyUserName = proxy->GetString("ProxyUser", "");
        info.ProxyPass = proxy->GetString("ProxyPassword", "");
    }
    return info;
}

std::int32_t PickFastest(const std::vector<std::optional<std::int64_t>>& elapsed) {
    std::size_t best = elapsed.size();
    for (std::size_t i = 0; i < elapsed.size(); ++i) {
        if (elapsed[i] && (best == elapsed.size() || *elapsed[i] < *elapsed[best])) best = i;
    }
    return best == elapsed.size() ? 0 : static_cast<std::int32_t>(best);
}

std::int32_t SelectFastestServer(const TCommuniConfig& channel, const TDataVO& block, ProbeObserver* observer) {
    const std::int32_t count = channel.GetServerCount();
    if (count == 1) return 0;
    std::vector<std::optional<std::int64_t>> elapsed(static_cast<std::size_t>(std::max(count, 0)));
    for (std::int32_t i = 0; i < count; ++i) {
        ProbeReport report;
        report.index = i;
        Clock::time_point start = Clock::now();
        try {
            TServerInfo info = BuildServerInfo(channel, block, i);
            report.address = BuildProbeAddress(info).value_or("");
            const ProbeLimits limits = LimitsFor(channel.GetTimeout());
            start += TellStart(observer, {.index = i, .count = count, .address = report.address}, limits);
            report.ok = RunProbe(info, report.message, limits, &report.diagnosis);
        } catch (const std::exception& e) {
            report.message = e.what();
            report.diagnosis = SettingsErrorDiagnosis(e);
        }
        const Clock::time_point finish = Clock::now();
        report.elapsed_ms = ElapsedMs(start, finish);
        if (report.ok) elapsed[static_cast<std::size_t>(i)] = report.elapsed_ms;
        if (observer) observer->OnProbe(report);
    }
    return PickFastest(elapsed);
}

bool TestServerConnection(TDataVO& block, ProbeObserver* observer) {
    std::string message;
    bool result = false;
    const auto* channel = dynamic_cast<const TCommuniConfig*>(block.GetObject(kCommuniConfigKey, nullptr));
    if (!channel) {
        message = texts::IncompleteParameters();
    } else {
        if (observer) observer->OnServerCount(channel->GetServerCount());
        try {
            const std::int32_t index = SelectFastestServer(*channel, block, observer);
            if (observer) observer->OnChosen(index);
            TServerInfo info = BuildServerInfo(*channel, block, index);
            ProbeReport report;
            report.final = true;
            report.index = index;
            report.address = BuildProbeAddress(info).value_or("");
            const ProbeLimits limits = LimitsFor(channel->GetTimeout());
            TellStart(observer,
                      {.final = true, .index = index, .count = channel->GetServerCount(), .address = report.address},
                      limits);
            const Clock::time_point start = Clock::now();
            result = RunProbe(info, message, limits, &report.diagnosis);
            report.ok = result;
            report.elapsed_ms = ElapsedMs(start, Clock::now());
            report.message = message;
            if (observer) observer->OnProbe(report);
        } catch (const std::exception&) {
            message = texts::TestException();
            result = false;
        }
    }
    block.SetString(kResultMsgKey, message);
    if (observer) observer->OnDriverResult(result, message);
    return result;
}

bool RunUpdateServerTest(std::string& message, ProbeObserver* observer, const UpdateServerTestOptions& options) {
    try {
        auto block = std::make_unique<TDataVO>();
        LoadProxySettings();
        if (!LoadCommunicationConfig(*block, message)) return false;
        StoreProxyVO(*block);
        if (options.direct) SwitchProxyOff(*block);
        if (!TestServerConnection(*block, observer)) {
            message = texts::UpdateTestFailed();
            return false;
        }
        return true;
    } catch (...) {
        message = texts::UpdateTestFailed();
        return false;
    }
}

}  // namespace netprobe
