# Every target of ours compiles warning-free on both compilers.
add_library(netprobe_warnings INTERFACE)
# Not for resource scripts: windres takes no warning options.
target_compile_options(netprobe_warnings INTERFACE "$<$<COMPILE_LANGUAGE:C,CXX>:-Wall;-Wextra;-Werror>")
