#include "ui/kit/ime.h"

#include <imm.h>

#include <vector>

namespace netprobe::ui {

namespace {

// ImmGetContext / ImmReleaseContext.
class InputContext {
public:
    explicit InputContext(HWND window) : window_(window), context_(ImmGetContext(window)) {}
    ~InputContext() {
        if (context_) ImmReleaseContext(window_, context_);
    }
    InputContext(const InputContext&) = delete;
    InputContext& operator=(const InputContext&) = delete;
    HIMC get() const { return context_; }

private:
    HWND window_;
    HIMC context_;
};

}  // namespace

HKL FindKeyboardLayout(const std::string& name) {
    if (name.empty()) return nullptr;
    const int count = GetKeyboardLayoutList(0, nullptr);
    if (count <= 0) return nullptr;
    std::vector<HKL> layouts(static_cast<size_t>(count));
    GetKeyboardLayoutList(count, layouts.data());
    for (HKL layout : layouts) {
        char description[256] = {};
        const UINT length = ImmGetDescriptionA(layout, description, sizeof description - 1);
        if (length > 0 && name == std::string(description, length)) return layout;
    }
    return nullptr;
}

void ApplyImeMode(HWND window, TImeMode mode, const std::string& name) {
    const bool open = mode == TImeMode::Open || mode == TImeMode::Chinese;
    if (!open && mode != TImeMode::Close) return;
    // The named layout in both modes: "close" names the plain keyboard to switch back to.
    if (HKL layout = FindKeyboardLayout(name)) ActivateKeyboardLayout(layout, 0);
    InputContext context(window);
    if (context.get()) ImmSetOpenStatus(context.get(), open ? TRUE : FALSE);
}

}  // namespace netprobe::ui
