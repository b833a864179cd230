# Our own targets compile warning-free; vendored code (GoogleTest) keeps its flags.
add_library(vnx_warnings INTERFACE)
target_compile_options(vnx_warnings INTERFACE
  -Wall -Wextra -Werror -Wshadow -Wnon-virtual-dtor -Wpedantic
  -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference -Wformat=2)
