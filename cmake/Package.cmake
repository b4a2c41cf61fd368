# The release package: scripts/package builds the target netprobe_package_files and runs
# CPack, which zips what `cmake --install` puts into component "runtime"; component
# "debug" holds the debug symbols, published beside the zip.
#
#   package/netprobe.dll, netprobe.exe   stripped, with a debug link to their .debug file
#   package/README.txt, SHA256SUMS
#   package/debug/netprobe.dll.debug, netprobe.exe.debug
set(NETPROBE_PACKAGE_DIR ${PROJECT_BINARY_DIR}/package)
find_program(NETPROBE_OBJCOPY ${NETPROBE_MINGW_TRIPLE}-objcopy REQUIRED)

# Splits a binary: its debug sections into debug/<file>.debug, the rest into <file> with a
# debug link (the .debug file's name and CRC) to it.
function(netprobe_package_binary target file)
  set(stripped ${NETPROBE_PACKAGE_DIR}/${file})
  set(debug ${NETPROBE_PACKAGE_DIR}/debug/${file}.debug)
  add_custom_command(OUTPUT ${stripped} ${debug}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${NETPROBE_PACKAGE_DIR}/debug
    COMMAND ${NETPROBE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug}
    COMMAND ${NETPROBE_OBJCOPY} --strip-all --add-gnu-debuglink=${debug} $<TARGET_FILE:${target}> ${stripped}
    DEPENDS ${target}
    COMMENT "Splitting the debug symbols off ${file}"
    VERBATIM)
endfunction()

netprobe_package_binary(netprobe_module netprobe.dll)
# Where the DLL's bytes come from, input file by input file (the README's size table).
target_link_options(netprobe_module PRIVATE -Wl,-Map=${PROJECT_BINARY_DIR}/netprobe.dll.map)
netprobe_package_binary(netprobe netprobe.exe)

# Read on Windows: CRLF line ends.
configure_file(${PROJECT_SOURCE_DIR}/packaging/README.txt.in ${NETPROBE_PACKAGE_DIR}/README.txt
               @ONLY NEWLINE_STYLE CRLF)

set(NETPROBE_SHIPPED netprobe.dll netprobe.exe README.txt)
add_custom_command(OUTPUT ${NETPROBE_PACKAGE_DIR}/SHA256SUMS
  COMMAND ${CMAKE_COMMAND} -DDIR=${NETPROBE_PACKAGE_DIR} "-DFILES=${NETPROBE_SHIPPED}"
          -DOUTPUT=${NETPROBE_PACKAGE_DIR}/SHA256SUMS -P ${PROJECT_SOURCE_DIR}/cmake/sha256sums.cmake
  DEPENDS ${NETPROBE_PACKAGE_DIR}/netprobe.dll ${NETPROBE_PACKAGE_DIR}/netprobe.exe
          ${NETPROBE_PACKAGE_DIR}/README.txt ${PROJECT_SOURCE_DIR}/cmake/sha256sums.cmake
  VERBATIM)
add_custom_target(netprobe_package_files
  DEPENDS ${NETPROBE_PACKAGE_DIR}/SHA256SUMS ${NETPROBE_PACKAGE_DIR}/debug/netprobe.dll.debug
          ${NETPROBE_PACKAGE_DIR}/debug/netprobe.exe.debug)

foreach(file IN LISTS NETPROBE_SHIPPED ITEMS SHA256SUMS)
  install(FILES ${NETPROBE_PACKAGE_DIR}/${file} DESTINATION . COMPONENT runtime)
endforeach()
install(FILES ${NETPROBE_PACKAGE_DIR}/debug/netprobe.dll.debug ${NETPROBE_PACKAGE_DIR}/debug/netprobe.exe.debug
        DESTINATION . COMPONENT debug)
# Packaging builds only what ships, not every target.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME netprobe)
set(CPACK_PACKAGE_VENDOR "the netprobe developers")
set(CPACK_PACKAGE_FILE_NAME netprobe-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
# Only the runtime component goes into the zip.
set(CPACK_INSTALL_CMAKE_PROJECTS "${PROJECT_BINARY_DIR};netprobe;runtime;/")
# File times in the zip come from SOURCE_DATE_EPOCH (scripts/package: the commit's time).
include(CPack)
