#pragma once

// netprobe.exe started from Explorer: its console is its own and closes with it, so instead of
// printing, it runs the test on the installation it sits in and shows the report in a window.
namespace netprobe::cli {

// Whether the program is the only process on its console (Windows); false elsewhere.
bool OwnsItsConsole();

// Runs `test` with the kit's wait window up, then shows the report dialog until it is
// closed. Returns the exit status of `test`.
int RunCheckInWindow();

}  // namespace netprobe::cli
