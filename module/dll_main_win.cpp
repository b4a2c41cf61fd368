// The entry point of a DLL that carries the kit (netprobe.dll). When the host frees the
// module, the kit's windows and classes go with it, on the thread that frees it. At process
// exit (reserved not null) nothing is done: the other threads were ended wherever they
// stood, and the windows and classes go with the process.
#include <windows.h>

#include "ui/kit/kit_release.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_DETACH && reserved == nullptr) netprobe::ui::ReleaseKit();
    return TRUE;
}
