# NETPROBE_SANITIZE: the sanitizers that every target of the build is compiled and linked with,
# as a list ("address;undefined", "thread"); empty for none. The sanitizer presets set it.
# An undefined-behaviour report ends the program, as the address sanitizer's reports do.
set(NETPROBE_SANITIZE "" CACHE STRING "Sanitizers for every target (e.g. address;undefined or thread)")
if(NETPROBE_SANITIZE)
  list(JOIN NETPROBE_SANITIZE "," netprobe_sanitizers)
  add_compile_options(-fsanitize=${netprobe_sanitizers} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${netprobe_sanitizers})
  if("undefined" IN_LIST NETPROBE_SANITIZE)
    add_compile_options(-fno-sanitize-recover=all)
  endif()
endif()
# The fuzz build instruments every library for libFuzzer's coverage; the fuzz targets bring
# libFuzzer's main themselves (fuzz/).
if(NETPROBE_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
