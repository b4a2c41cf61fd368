# netprobe_copy_beside(<name> INTO <dir> FILES <target>... [FOR <target>...])
# Copies built programs and DLLs into <dir> for whatever runs them from there: a test that
# starts the tool beside itself, hostsim loading netprobe.dll from its own folder. Each copy is
# a build output of its own that depends on the target's file, so every build that relinks the
# target refreshes the copy, whether or not anything in <dir> relinks. The default build and
# the targets named in FOR depend on the copies.
function(netprobe_copy_beside name)
  cmake_parse_arguments(ARG "" "INTO" "FILES;FOR" ${ARGN})
  set(copies)
  foreach(target IN LISTS ARG_FILES)
    netprobe_built_file_name(file ${target})
    set(copy ${ARG_INTO}/${file})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${target}> ${copy}
      DEPENDS ${target}
      COMMENT "Copying ${file} into ${ARG_INTO}"
      VERBATIM)
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${name} ALL DEPENDS ${copies})
  foreach(target IN LISTS ARG_FOR)
    add_dependencies(${target} ${name})
  endforeach()
endfunction()

# netprobe_built_file_name(<variable> <target>)
# The file name an executable or an unversioned shared library is built as. A custom command's
# OUTPUT can't name it with $<TARGET_FILE_NAME>, so it comes from the target's properties.
function(netprobe_built_file_name variable target)
  get_target_property(type ${target} TYPE)
  get_target_property(base ${target} OUTPUT_NAME)
  if(NOT base)
    set(base ${target})
  endif()
  if(type STREQUAL "EXECUTABLE")
    set(${variable} ${base}${CMAKE_EXECUTABLE_SUFFIX} PARENT_SCOPE)
  elseif(type STREQUAL "SHARED_LIBRARY")
    get_target_property(version ${target} VERSION)
    if(version)
      message(FATAL_ERROR "netprobe_built_file_name: ${target} is versioned; copy it by its SONAME link")
    endif()
    get_target_property(prefix ${target} PREFIX)
    if(prefix STREQUAL "prefix-NOTFOUND")
      set(prefix ${CMAKE_SHARED_LIBRARY_PREFIX})
    endif()
    set(${variable} ${prefix}${base}${CMAKE_SHARED_LIBRARY_SUFFIX} PARENT_SCOPE)
  else()
    message(FATAL_ERROR "netprobe_built_file_name: ${target} is neither a program nor a shared library")
  endif()
endfunction()
