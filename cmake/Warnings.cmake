# Warnings for the project's own targets (not for GoogleTest built beside
# them): on and clean in every build.  Link `edihal_warnings` to use them.
add_library(edihal_warnings INTERFACE)
target_compile_options(edihal_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  # strncpy cuts host texts to 299 bytes on purpose.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-stringop-truncation>
  $<$<BOOL:${EDIHAL_WERROR}>:-Werror>)
