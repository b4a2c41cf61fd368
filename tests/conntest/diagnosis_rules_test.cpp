// The rules of a probe's diagnosis that no real peer shows on demand: the SOCKS failures as
// libcurl reports them, and answers that break off.
#include <curl/curl.h>
#include <gtest/gtest.h>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/probe_diagnosis_curl.h"
#include "core/gbk.h"
#include "tests/support/loopback/http_origin.h"

namespace netprobe {
namespace {

TEST(DiagnosisRules, SocksFailuresAsLibcurlReportsThem) {
    struct Case {
        long proxy_code;
        int version;
        ProbeCause cause;
        int reply;
    };
    const Case cases[] = {
        {CURLPX_NO_AUTH, 5, ProbeCause::kProxyAuth, -1},
        {CURLPX_USER_REJECTED, 5, ProbeCause::kProxyAuth, -1},
        {CURLPX_REPLY_NOT_ALLOWED, 5, ProbeCause::kSocksTargetRefused, 2},
        {CURLPX_REPLY_CONNECTION_REFUSED, 5, ProbeCause::kSocksTargetRefused, 5},
        {CURLPX_REPLY_HOST_UNREACHABLE, 5, ProbeCause::kSocksTargetRefused, 4},
        {CURLPX_REQUEST_FAILED, 4, ProbeCause::kSocksTargetRefused, 91},
        {CURLPX_IDENTD_DIFFER, 4, ProbeCause::kProxyAuth, 93},
        {CURLPX_CLOSED, 5, ProbeCause::kSocksFailed, -1},
        {CURLPX_BAD_VERSION, 4, ProbeCause::kSocksFailed, -1},
    };
    for (const Case& c : cases) {
        ProbeDiagnosis d;
        ClassifySocksFailure(SocksFailureOf(c.proxy_code, c.version), d);
        EXPECT_EQ(CauseName(d.cause), CauseName(c.cause)) << c.proxy_code;
        EXPECT_EQ(d.socks_reply, c.reply) << c.proxy_code;
        EXPECT_NE(d.detail.find("SOCKS" + std::to_string(c.version)), std::string::npos) << d.detail;
    }
}

TEST(DiagnosisRules, AnswersThatBreakOffAreHalfAnswers) {
    using testing::OriginFault;
    testing::HttpOrigin origin;
    TServerInfo server;
    server.Host = "127.0.0.1";
    server.PortText = std::to_string(origin.port());
    for (OriginFault fault : {OriginFault::kResetMidAnswer, OriginFault::kCloseOnAccept}) {
        origin.SetFault(fault);
        std::string message;
        ProbeDiagnosis why;
        EXPECT_FALSE(RunProbe(server, message, LimitsFor(1000), &why));
        EXPECT_EQ(GbkToUtf8(message), "网络连接异常");
        EXPECT_EQ(why.cause, ProbeCause::kHalfAnswer) << DiagnosisLine(why);
    }
}

TEST(DiagnosisRules, AnEmptyHostOrProxyHostSendsNothingAndSaysWhich) {
    TServerInfo no_host;
    TServerInfo no_proxy;
    no_proxy.Host = "127.0.0.1";
    no_proxy.PortText = "1";
    no_proxy.ProxyEnabled = true;
    for (const auto& [server, cause] :
         {std::pair{no_host, ProbeCause::kNoServerAddress}, std::pair{no_proxy, ProbeCause::kNoProxyAddress}}) {
        std::string message;
        ProbeDiagnosis why;
        EXPECT_FALSE(RunProbe(server, message, LimitsFor(1000), &why));
        EXPECT_EQ(GbkToUtf8(message), "网络连接异常");
        EXPECT_EQ(why.cause, cause);
    }
}

}  // namespace
}  // namespace netprobe
