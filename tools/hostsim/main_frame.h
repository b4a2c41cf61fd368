#pragma once

#include <windows.h>

#include <deque>
#include <string>

#include "tools/hostsim/hostsim_options.h"
#include "tools/hostsim/module_loader.h"

namespace netprobe::hostsim {

// A message the suite's modules send to the main frame.
inline constexpr UINT kModuleNotifyMessage = 1296;

// The stand-in for the suite's main frame window (class "Tfrm_MainFrame"): runs the
// module's TestUpdateServer from its button or from the command line, shows the verdict,
// paints a counter driven by a timer (it keeps moving only while the user-interface thread
// is served, also during the probe's wait) and logs what the module sends it.
class MainFrame {
public:
    MainFrame(HINSTANCE instance, const LoadedModule& module, const Options& options);
    ~MainFrame();
    MainFrame(const MainFrame&) = delete;
    MainFrame& operator=(const MainFrame&) = delete;

    bool Create();
    HWND hwnd() const { return hwnd_; }

private:
    enum class State { Idle, Running, Passed, Failed };

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
    void OnCreate();
    void OnTimer(UINT_PTR id);
    void OnCopyData(const COPYDATASTRUCT& data);
    void CallTestUpdateServer();
    void AskValue();
    void FinishCommandLineRun();
    void Log(const std::wstring& line);
    void Paint(HDC dc);
    std::wstring StateText() const;

    HINSTANCE instance_;
    const LoadedModule& module_;
    Options options_;
    HWND hwnd_ = nullptr;
    HWND button_ = nullptr;
    HFONT font_ = nullptr;
    State state_ = State::Idle;
    unsigned counter_ = 0;
    unsigned ticks_in_probe_ = 0;
    int exit_code_ = kExitPassed;
    std::deque<std::wstring> log_;
};

}  // namespace netprobe::hostsim
