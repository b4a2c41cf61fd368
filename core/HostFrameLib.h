#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/TObject.h"

namespace netprobe {

class TDataVO;

using HostHandle = std::uintptr_t;  // a window or application handle; 0 when there is none
using TColor = std::uint32_t;       // red + 256 * green + 65536 * blue

// The services that the running application offers the module: paths, user configuration,
// window handles, the active sub-application and function, user and company, the skin, and
// its own event processing. Handles and containers returned belong to the host.
class HostFrameLib {
public:
    virtual ~HostFrameLib() = default;

    // Ends in a path separator; in the file system's bytes (see file_paths.h).
    virtual std::string GetAppPath() = 0;
    virtual std::string GetUserConfigParam(std::string_view section, std::string_view key, std::string_view def) = 0;
    virtual HostHandle GetAppHandle() = 0;
    virtual HostHandle GetMainFrameHandle() = 0;
    virtual std::string GetCurSubAppPath() = 0;
    virtual std::string GetCurSubAppCode() = 0;
    virtual std::string GetCurFuncCode() = 0;
    virtual TObject* GetCurSubAppInfo() = 0;
    virtual TDataVO* GetCurSubAppVo() = 0;
    virtual TDataVO* GetUserInfoVO() = 0;
    virtual TDataVO* GetCompanyInfoVO() = 0;

    virtual int giSysFontCharSet() = 0;
    virtual int giSysFontSize() = 0;
    virtual TColor gclSysFontColor() = 0;
    virtual TColor gclModuleBackColor() = 0;
    virtual TColor gclTopBarColor() = 0;
    virtual TColor gclFrameBackColor() = 0;
    virtual void SetSkinSchemeCtrls(TObject* form) = 0;

    // Handles the pending window events of the user-interface thread once.
    virtual void ProcessMessages() = 0;
};

// The process-wide instance: the installed one, else the default host.
HostFrameLib& Host();

// Installs a host (the real one, or a fake in tests); nullptr restores the default host.
// Returns the one installed before.
HostFrameLib* SetHost(HostFrameLib* host);

// Installs a host for the lifetime of a scope.
class ScopedHost {
public:
    explicit ScopedHost(HostFrameLib& host) : previous_(SetHost(&host)) {}
    ~ScopedHost() { SetHost(previous_); }
    ScopedHost(const ScopedHost&) = delete;
    ScopedHost& operator=(const ScopedHost&) = delete;

private:
    HostFrameLib* previous_;
};

}  // namespace netprobe
