#pragma once
// The kit's window classes belong to the module that the kit is linked into (netprobe.dll, or
// a program that links the kit itself), never to the host: they are registered under the
// module's own instance and unregistered when it is unloaded, so that a module loaded again
// never finds a class whose procedure points into the image it had before.
#include <windows.h>

namespace netprobe::ui {

// The class of the kit's controls and forms.
inline constexpr char kKitClassName[] = "NetprobeControl";

// The instance of the module that this code is linked into.
HINSTANCE KitInstance();

// Registers a class of the kit under KitInstance(), once per load of the module; raises
// EOSError when it cannot. A class of the name left behind by an earlier load is replaced.
// The name is kept: a literal, or another text that lives as long as the module.
void RegisterKitClass(const char* name, WNDPROC proc, UINT style = 0);

// True while a class registered above is still registered: until then no window of the kit
// can exist.
bool KitClassesRegistered();

// Unregisters the classes registered above; one that still has windows stays registered.
void UnregisterKitClasses();

}  // namespace netprobe::ui
