#pragma once
// The base dialog without its coloured top bar: a small mark text and a dotted rule run
// along its footer instead. Dialogs derive from it; it is not shown by itself.
#include "ui/f_CustomDlg.h"
#include "ui/kit/shape.h"

namespace netprobe::ui {

inline constexpr TColor kMarkColor = 12164479;  // red 127, green 157, blue 185

class Tfrm_CustomDlgEx : public Tfrm_CustomDlg {
public:
    explicit Tfrm_CustomDlgEx(TComponent* owner = nullptr);
    ~Tfrm_CustomDlgEx() noexcept(false) override;

    FormArgs DefaultFormArgs() const override;
    // The base skin, then the rule's gaps in the window's background colour.
    void ApplySkin() override;

    TShape* Shape1 = nullptr;

protected:
    void CreateComponents() override;
};

}  // namespace netprobe::ui
