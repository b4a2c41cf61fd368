# Shared by the two mingw-w64 toolchain files, which set NETPROBE_MINGW_TRIPLE,
# CMAKE_SYSTEM_PROCESSOR and NETPROBE_WINE_ARCH (win32 or win64) first.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${NETPROBE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${NETPROBE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${NETPROBE_MINGW_TRIPLE}-windres)
set(CMAKE_AR           ${NETPROBE_MINGW_TRIPLE}-ar CACHE FILEPATH "ar")
set(CMAKE_RANLIB       ${NETPROBE_MINGW_TRIPLE}-ranlib CACHE FILEPATH "ranlib")

# try_compile projects do not see our cache; forward these explicitly.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES
     NETPROBE_WINDOWS_DEPS NETPROBE_WIN32_EMULATOR)

if(NOT NETPROBE_WINDOWS_DEPS AND DEFINED ENV{NETPROBE_WINDOWS_DEPS})
  set(NETPROBE_WINDOWS_DEPS "$ENV{NETPROBE_WINDOWS_DEPS}")
endif()
set(NETPROBE_WINDOWS_DEPS "${NETPROBE_WINDOWS_DEPS}" CACHE PATH
    "Prefix with the cross-built static curl/libxml2 (scripts/build-windows-deps)")

set(CMAKE_FIND_ROOT_PATH /usr/${NETPROBE_MINGW_TRIPLE})
if(NETPROBE_WINDOWS_DEPS)
  list(PREPEND CMAKE_FIND_ROOT_PATH "${NETPROBE_WINDOWS_DEPS}")
  list(APPEND CMAKE_PREFIX_PATH "${NETPROBE_WINDOWS_DEPS}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must never pick up the build machine's .pc files.
set(ENV{PKG_CONFIG_LIBDIR} "${NETPROBE_WINDOWS_DEPS}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Self-contained binaries: no libgcc_s / libstdc++ / libwinpthread DLLs.
set(_netprobe_static "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT    "${_netprobe_static}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${_netprobe_static}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${_netprobe_static}")
unset(_netprobe_static)

# Run cross-built programs (tests, try_run) under Wine of the same width: wine32 for win32,
# wine64 for win64, each in its own prefix (scripts/wine-env --arch).
get_filename_component(_netprobe_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
if(NOT DEFINED NETPROBE_WIN32_EMULATOR)
  if(EXISTS "${_netprobe_root}/scripts/wine-env")
    set(NETPROBE_WIN32_EMULATOR "${_netprobe_root}/scripts/wine-env;--arch;${NETPROBE_WINE_ARCH};wine")
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
