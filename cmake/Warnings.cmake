# Every target of ours compiles warning-free on both compilers.
add_library(netprobe_warnings INTERFACE)
target_compile_options(netprobe_warnings INTERFACE -Wall -Wextra -Werror)
