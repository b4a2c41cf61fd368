# Compiler and linker settings of the release package (the win32-package preset, through
# scripts/package). The same commit must give the same bytes wherever it is built:
# - debug information (split off into separate files later) names no folder of this
#   machine: the source, build and dependency folders are mapped to fixed names;
# - the linker writes no time stamp into the PE header.
if(NOT WIN32)
  message(FATAL_ERROR "The release package is the Windows build (cmake --preset win32-package)")
endif()

add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-g>")
add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=netprobe>")
if(NETPROBE_WINDOWS_DEPS)
  add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${NETPROBE_WINDOWS_DEPS}=deps>")
endif()
add_link_options(-Wl,--no-insert-timestamp)
