# The help text: help/help_text.txt is scrambled at build time by a small host tool into a
# source of the core library.
add_executable(help_scramble
  ${CMAKE_SOURCE_DIR}/help/tools/help_scramble.cpp
  ${CMAKE_SOURCE_DIR}/help/core/help_code.cpp)
target_include_directories(help_scramble PRIVATE ${CMAKE_SOURCE_DIR})

set(DOZUDO_HELP_TEXT ${CMAKE_SOURCE_DIR}/help/help_text.txt)
set(DOZUDO_HELP_LINES ${CMAKE_BINARY_DIR}/generated/help_lines.cpp)
add_custom_command(
  OUTPUT ${DOZUDO_HELP_LINES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND help_scramble ${DOZUDO_HELP_TEXT} ${DOZUDO_HELP_LINES}
  DEPENDS help_scramble ${DOZUDO_HELP_TEXT}
  COMMENT "Scrambling the help text"
  VERBATIM)
target_sources(dozudo_core PRIVATE ${DOZUDO_HELP_LINES})
