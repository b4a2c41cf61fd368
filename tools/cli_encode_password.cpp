// netprobe encode-password: the stored form of a password, for the user configuration.
#include <cstdio>
#include <string>

#include "comm/password_encoder.h"
#include "core/translate.h"
#include "tools/cli.h"
#include "tools/console/console_out.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace netprobe::cli {
namespace {

using console::Print;
using console::PrintError;

// Standard input as it is: the password's bytes are GBK and pass unchanged.
std::string ReadStandardInput() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    std::string data;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) data.append(buffer, got);
    return data;
}

// The line end that closes the input is not part of the password.
void StripLineEnd(std::string& text) {
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2);
    } else if (text.ends_with("\n")) {
        text.pop_back();
    }
}

}  // namespace

int EncodePasswordCommand(const std::vector<std::string>& args) {
    if (!args.empty()) {
        PrintError("%s\n", Tr("netprobe: encode-password takes no arguments (the password comes on standard input)"));
        return kExitUsage;
    }
    std::string password = ReadStandardInput();
    StripLineEnd(password);
    if (password.size() > kMaxStoredPasswordLength) {
        PrintError("%s\n", TrFormat("netprobe: the password has %1$s bytes; a stored password keeps at most %2$s",
                                    password.size(), kMaxStoredPasswordLength)
                               .c_str());
        return kExitFailed;
    }
    Print("%s\n", EncodeStoredPassword(password).c_str());
    return kExitOk;
}

}  // namespace netprobe::cli
