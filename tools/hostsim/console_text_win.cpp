#include "tools/console/console_out.h"
#include "tools/hostsim/console_text.h"

namespace netprobe::hostsim {

void PrintLine(const std::string& utf8) { console::Write(console::Stream::kOut, utf8 + "\n"); }

}  // namespace netprobe::hostsim
