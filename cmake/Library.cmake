# netprobe_library(<name> [OBJECT] [SOURCES ...] [POSIX ...] [WINDOWS ...] [PUBLIC ...] [PRIVATE ...])
# One of our libraries: its portable sources, the platform files of the target it is built for
# (*_posix.cpp elsewhere, *_win.cpp on Windows), the repository root as its include root (every
# include names its folder) and our warnings. PUBLIC and PRIVATE are the libraries it links.
function(netprobe_library name)
  cmake_parse_arguments(ARG "OBJECT" "" "SOURCES;POSIX;WINDOWS;PUBLIC;PRIVATE" ${ARGN})
  set(kind STATIC)
  if(ARG_OBJECT)
    set(kind OBJECT)
  endif()
  if(WIN32)
    set(platform_sources ${ARG_WINDOWS})
  else()
    set(platform_sources ${ARG_POSIX})
  endif()
  add_library(${name} ${kind} ${ARG_SOURCES} ${platform_sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE} netprobe_warnings)
endfunction()
