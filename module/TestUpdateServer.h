#pragma once

// The module's exported function: can the update server be reached? Returns true when the
// chosen server answered with success. No error escapes it.
#ifdef _WIN32
#define NETPROBE_STDCALL __stdcall
#else
#define NETPROBE_STDCALL
#endif

extern "C" bool NETPROBE_STDCALL TestUpdateServer();
