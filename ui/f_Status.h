#pragma once
// The wait window: a small borderless stay-on-top box in the middle of the screen with a
// line or two of text, a moving progress strip and a soft drop shadow along its bottom and
// right edges. A long operation brackets itself with ShowStatus and HideStatus; the module
// has one such window.
#include <cstdint>
#include <string>

#include "ui/VexoPanelBox.h"
#include "ui/f_Status_Animator.h"
#include "ui/f_Status_Shadow.h"
#include "ui/kit/bitmap.h"
#include "ui/kit/form.h"
#include "ui/kit/image_list.h"
#include "ui/kit/label.h"

namespace netprobe::ui {

inline constexpr TColor kStatusColor = 16710131;        // red 243, green 249, blue 254
inline constexpr TColor kStatusBorderColor = 14731681;  // red 161, green 201, blue 224
inline constexpr int kStatusShadowDepth = 6;            // at 96 DPI; scaled with the window

class Tfrm_Status : public TForm {
public:
    explicit Tfrm_Status(TComponent* owner = nullptr);
    ~Tfrm_Status() noexcept(false) override;

    FormArgs DefaultFormArgs() const override;

    // Shows the progress strip and starts it, or hides and stops it. Lets the application
    // handle its pending messages twice on the way.
    void ShowProgress(bool active);

    TLabel* lblStatus = nullptr;
    TImageList* ImageListAff = nullptr;
    TVexoPanelBox* Panel1 = nullptr;
    TVexoAnimator* Animator = nullptr;  // created on first show; owned by Panel1
    std::int32_t PaintCount = 0;        // paints that drew the shadow

protected:
    void CreateComponents() override;
    void DoCreate() override { FormCreate(this); }
    void DoShow() override { FormShow(this); }
    void EraseBackground(TCanvas& canvas) override;
    void Paint(TCanvas& canvas) override { FormPaint(this, canvas); }

    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormPaint(TObject* sender, TCanvas& canvas);

private:
    void CreateAnimator();
    void ScaleProgressFrames();
    void BlendShadow(HDC dc);
    void TakeBackdrop();

    TBitmap backdrop_;  // the screen under the window, taken before it shows
};

// Shows the module's wait window with the text (GBK), creating it if there is none; a
// second call replaces the text.
void ShowStatus(const std::string& text);
// Closes and destroys the wait window, if there is one.
void HideStatus();
// The wait window while it exists, else nullptr.
Tfrm_Status* StatusWindow();

}  // namespace netprobe::ui
