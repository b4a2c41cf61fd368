# CMake toolchain file: cross-compile for 64-bit Windows with mingw-w64 (posix thread model),
# run with wine64.  The same module, tools and suites as the i686 file builds; this build is
# the Windows test route on machines whose kernel runs no 32-bit program.  See
# mingw-w64-i686.cmake for NETPROBE_WINDOWS_DEPS (scripts/build-windows-deps --arch win64) and
# NETPROBE_WIN32_EMULATOR.

set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(NETPROBE_MINGW_TRIPLE x86_64-w64-mingw32)
set(NETPROBE_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
