#pragma once
// What the kit leaves in the host's process goes when the module that holds it is unloaded:
// its windows, the application window among them, and its window classes. The module's entry
// point (module/dll_main_win.cpp) calls ReleaseKit when the host frees the module; an upper layer adds a
// step for what it owns, which goes first.
namespace netprobe::ui {

// Adds a release step; the steps run in the reverse order of their adding, and none raises.
void AtKitRelease(void (*step)());

// Runs the steps; destroys the kit's windows of the calling thread and leaves those of other
// threads (which cannot be destroyed from here) to the system's window procedure, closing
// themselves on their own threads; then unregisters the kit's classes.
void ReleaseKit() noexcept;

}  // namespace netprobe::ui
