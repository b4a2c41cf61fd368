#pragma once

namespace netprobe {

// Keeps the code of libcurl (inside netprobe.dll on Windows) loaded until the process ends,
// even when the host unloads the module. A transfer given up while its name resolved leaves
// libcurl's resolver thread to end by itself, and that thread runs this code until the
// system's resolver returns.
void PinCurlCode();

}  // namespace netprobe
