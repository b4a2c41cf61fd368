# CMake toolchain file: cross-compile for 32-bit Windows with mingw-w64
# (posix thread model, so std::thread/std::mutex work), run with Wine.
#
#   cmake -S . -B build-win32 \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake \
#         -DNETPROBE_WIN32_DEPS="$(scripts/build-win32-deps --print-prefix)"
#
# NETPROBE_WIN32_DEPS (cache variable, or environment variable of the same
# name) points at the prefix produced by scripts/build-win32-deps; it holds
# static libcurl and libxml2 (include/ lib/).  Consumers must define
# CURL_STATICLIB and LIBXML_STATIC and link
#   curl bcrypt advapi32 crypt32 ws2_32   (libcurl)
#   xml2 ws2_32                           (libxml2)
#
# NETPROBE_WIN32_EMULATOR (cache variable) overrides the program used to run
# cross-built executables (ctest, try_run); default: scripts/wine-env wine.
# Set it to an empty string to disable running them.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(NETPROBE_MINGW_TRIPLE i686-w64-mingw32)

set(CMAKE_C_COMPILER   ${NETPROBE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NETPROBE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${NETPROBE_MINGW_TRIPLE}-windres)
set(CMAKE_AR           ${NETPROBE_MINGW_TRIPLE}-ar CACHE FILEPATH "ar")
set(CMAKE_RANLIB       ${NETPROBE_MINGW_TRIPLE}-ranlib CACHE FILEPATH "ranlib")

# try_compile projects do not see our cache; forward these explicitly.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES
     NETPROBE_WIN32_DEPS NETPROBE_WIN32_EMULATOR)

if(NOT NETPROBE_WIN32_DEPS AND DEFINED ENV{NETPROBE_WIN32_DEPS})
  set(NETPROBE_WIN32_DEPS "$ENV{NETPROBE_WIN32_DEPS}")
endif()
set(NETPROBE_WIN32_DEPS "${NETPROBE_WIN32_DEPS}" CACHE PATH
    "Prefix with the cross-built static curl/libxml2 (scripts/build-win32-deps)")

set(CMAKE_FIND_ROOT_PATH /usr/${NETPROBE_MINGW_TRIPLE})
if(NETPROBE_WIN32_DEPS)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${NETPROBE_WIN32_DEPS}")
  list(APPEND CMAKE_PREFIX_PATH "${NETPROBE_WIN32_DEPS}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must never pick up the build machine's .pc files.
set(ENV{PKG_CONFIG_LIBDIR} "${NETPROBE_WIN32_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Self-contained binaries: no libgcc_s / libstdc++ / libwinpthread DLLs.
set(_netprobe_static "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT    "${_netprobe_static}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_netprobe_static}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_netprobe_static}")
unset(_netprobe_static)

# Run cross-built programs (tests, try_run) under Wine.
get_filename_component(_netprobe_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
if(NOT DEFINED NETPROBE_WIN32_EMULATOR)
  if(EXISTS "${_netprobe_root}/scripts/wine-env")
    set(NETPROBE_WIN32_EMULATOR "${_netprobe_root}/scripts/wine-env;wine")
  else()
    set(NETPROBE_WIN32_EMULATOR "wine")
  endif()
endif()
set(NETPROBE_WIN32_EMULATOR "${NETPROBE_WIN32_EMULATOR}" CACHE STRING
    "Command (list) used to run cross-built executables")
if(NETPROBE_WIN32_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${NETPROBE_WIN32_EMULATOR}")
endif()
unset(_netprobe_root)
