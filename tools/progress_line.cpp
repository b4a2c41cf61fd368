#include "tools/progress_line.h"

#include <algorithm>
#include <string_view>

#include "conntest/probe_address.h"
#include "core/display_text.h"
#include "core/gbk.h"
#include "core/translate.h"
#include "tools/console/terminal.h"

namespace netprobe::cli {
namespace {

using std::chrono::milliseconds;

constexpr milliseconds kRedraw{250};

// Indexed by [final][direct].
constexpr const char* kLines[2][2] = {
    {TrNoop("[%1$s/%2$s] %3$s  %4$s s of %5$s s"), TrNoop("[direct %1$s/%2$s] %3$s  %4$s s of %5$s s")},
    {TrNoop("[final %1$s/%2$s] %3$s  %4$s s of %5$s s"), TrNoop("[direct, final %1$s/%2$s] %3$s  %4$s s of %5$s s")},
};

// "host:port" of the probe's address, fit for the screen.
std::string ServerPart(const std::string& address) { return DisplayText(GbkToUtf8(ProbeHostPort(address))); }

// The longest start of the UTF-8 text that takes no more than `columns`.
std::string CutToWidth(std::string_view text, std::size_t columns) {
    std::size_t end = 0, width = 0;
    while (end < text.size()) {
        std::size_t next = end + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) ++next;
        width += DisplayWidth(text.substr(end, next - end));
        if (width > columns) break;
        end = next;
    }
    return std::string(text.substr(0, end));
}

std::string Line(const ProbeStart& start, const std::string& server, milliseconds so_far, bool direct) {
    const auto seconds = so_far.count() / 1000;
    // Past the usual limit only a peer sending slowly holds the probe: then the longest counts.
    const milliseconds applies = so_far <= start.limit ? start.limit : start.longest;
    const auto limit = (applies.count() + 999) / 1000;
    return TrFormat(kLines[start.final][direct], start.index + 1, start.count, server, seconds, limit);
}

}  // namespace

std::string ProgressText(const ProbeStart& start, milliseconds so_far, bool direct, std::size_t columns) {
    const std::size_t room = columns > 1 ? columns - 1 : 0;
    const std::string server = ServerPart(start.address);
    std::string line = Line(start, server, so_far, direct);
    if (DisplayWidth(line) <= room) return line;
    // Too wide: the address gives way first, the seconds stay in view.
    const std::size_t rest = DisplayWidth(Line(start, "", so_far, direct));
    if (rest + 4 <= room) return Line(start, CutToWidth(server, room - rest - 3) + "...", so_far, direct);
    return CutToWidth(line, room);
}

std::string ProgressStep(const ProbeStart& start) {
    if (start.final) return TrFormat("final check %1$s/%2$s", start.index + 1, start.count);
    return std::to_string(start.index + 1) + "/" + std::to_string(start.count);
}

ProgressLine::ProgressLine(console::Stream stream) : stream_(stream) {
    if (console::IsTerminal(stream_)) ticker_ = std::thread([this] { Tick(); });
}

ProgressLine::~ProgressLine() { Finish(); }

void ProgressLine::SetDirect(bool direct) {
    std::lock_guard lock(mutex_);
    direct_ = direct;
}

void ProgressLine::Finish() {
    if (!ticker_.joinable()) return;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    ticker_.join();
    std::lock_guard drawing(draw_mutex_);
    if (drawn_width_ == 0) return;
    console::RewriteLine(stream_, std::string(drawn_width_, ' '));
    console::RewriteLine(stream_, "");
    drawn_width_ = 0;
}

// The line shows at once, however soon the probe ends; the ticker keeps its seconds going.
void ProgressLine::OnProbeStart(const ProbeStart& start) {
    if (!ticker_.joinable()) return;
    const Clock::time_point now = Clock::now();
    bool direct = false;
    {
        std::lock_guard lock(mutex_);
        probe_ = start;
        since_ = now;
        direct = direct_;
    }
    Draw(start, now, direct);
}

void ProgressLine::OnProbe(const ProbeReport&) {
    if (!ticker_.joinable()) return;
    std::lock_guard lock(mutex_);
    probe_.reset();  // the line stays as it was until the next probe begins
}

// Draws outside the state's lock: a terminal that stalls its output holds up the ticker, never
// the driver's bookkeeping.
void ProgressLine::Tick() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, kRedraw, [this] { return stopping_; })) {
        if (!probe_) continue;
        const ProbeStart start = *probe_;
        const Clock::time_point since = since_;
        const bool direct = direct_;
        lock.unlock();
        Draw(start, since, direct);
        lock.lock();
    }
}

void ProgressLine::Draw(const ProbeStart& start, Clock::time_point since, bool direct) {
    const auto so_far = std::chrono::duration_cast<milliseconds>(Clock::now() - since);
    const std::size_t columns = console::TerminalColumns(stream_);
    const std::string text = ProgressText(start, so_far, direct, columns);
    const std::size_t width = DisplayWidth(text);
    std::lock_guard drawing(draw_mutex_);
    // Spaces over what the last line had beyond this one, as far as the terminal is wide now.
    const std::size_t covered = std::min(drawn_width_, columns > 1 ? columns - 1 : 0);
    const std::size_t pad = covered > width ? covered - width : 0;
    console::RewriteLine(stream_, text + std::string(pad, ' '));
    drawn_width_ = width;
}

}  // namespace netprobe::cli
