# CMake toolchain file: cross-compile for 32-bit Windows with mingw-w64
# (posix thread model, so std::thread/std::mutex work), run with Wine.
#
#   cmake -S . -B build-win32 \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
#         -DNETPROBE_WINDOWS_DEPS="$(scripts/build-windows-deps --print-prefix)"
#
# NETPROBE_WINDOWS_DEPS (cache variable, or environment variable of the same
# name) points at the prefix produced by scripts/build-windows-deps; it holds
# static libcurl and libxml2 (include/ lib/).  Consumers must define
# CURL_STATICLIB and LIBXML_STATIC and link
#   curl bcrypt advapi32 crypt32 ws2_32   (libcurl)
#   xml2 ws2_32                           (libxml2)
#
# NETPROBE_WIN32_EMULATOR (cache variable) overrides the program used to run
# cross-built executables (ctest, try_run); default: scripts/wine-env wine.
# Set it to an empty string to disable running them.

set(CMAKE_SYSTEM_PROCESSOR x86)
set(NETPROBE_MINGW_TRIPLE i686-w64-mingw32)
set(NETPROBE_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
