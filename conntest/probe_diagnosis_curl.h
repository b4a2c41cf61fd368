#pragma once

#include <curl/curl.h>

#include "conntest/f_HttPTestConnect.h"
#include "conntest/http_transfer.h"
#include "conntest/probe_diagnosis.h"

namespace netprobe {

// What the probe saw of a finished transfer besides libcurl's own records.
struct TransferFacts {
    CURLcode code = CURLE_OK;
    TransferStop stop = TransferStop::kNone;
    bool head_complete = false;
    bool answer_started = false;    // a header line (or bytes of another protocol) came
    const char* error_buffer = "";  // CURLOPT_ERRORBUFFER's text
    AnswerEvidence evidence;        // of the last answer's head
};

// Reads cause, detail, peer and timings of a finished transfer from the easy handle.
void DiagnoseTransfer(CURL* curl, const TServerInfo& server, const TransferFacts& facts, ProbeDiagnosis& diagnosis);

// The SOCKS failure that libcurl reports as CURLINFO_PROXY_ERROR.
SocksFailure SocksFailureOf(long proxy_code, int version);

}  // namespace netprobe
