#pragma once

#include "conntest/driver.h"

namespace netprobe::cli {

// Adds the step of the probe that begins ("2/4") as a second line under the wait window's
// text, while that window is up.
class WaitWindowSteps : public ProbeObserver {
public:
    void OnProbeStart(const ProbeStart& start) override;
};

}  // namespace netprobe::cli
