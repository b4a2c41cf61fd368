# The project version (project() in the top CMakeLists.txt) is the only place the version is
# written. From it come the header the tools print it from, the Windows version resources
# and the Linux module's SONAME.
set(NETPROBE_COPYRIGHT "Copyright (C) 2026 the netprobe developers")

configure_file(${CMAKE_CURRENT_LIST_DIR}/netprobe_version.h.in
               ${PROJECT_BINARY_DIR}/generated/netprobe_version.h @ONLY)
add_library(netprobe_version INTERFACE)
target_include_directories(netprobe_version INTERFACE ${PROJECT_BINARY_DIR}/generated)

# netprobe_version_resource(<target> <file name> <description>)
# Gives a Windows binary a VERSIONINFO resource (windres) with the project version.
function(netprobe_version_resource target filename description)
  set(NETPROBE_RC_FILENAME "${filename}")
  set(NETPROBE_RC_DESCRIPTION "${description}")
  get_filename_component(NETPROBE_RC_INTERNAL_NAME "${filename}" NAME_WE)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
    set(NETPROBE_RC_FILETYPE VFT_DLL)
  else()
    set(NETPROBE_RC_FILETYPE VFT_APP)
  endif()
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
