# Embeds a text file of data/ into a target as a std::string_view constant, so the libraries do not read
# the source tree at run time. Declarations of the constants are in data/Embedded.h. The constants stay
# visible in libraries that hide their symbols: tests read them.
#   tdef_embed_text(<target> <constant> <file>)
# The same file runs as a script at build time (cmake -P) to write the generated source.
if(CMAKE_SCRIPT_MODE_FILE)
  file(READ "${IN}" text)
  set(delim "tdef_embed")
  string(FIND "${text}" ")${delim}\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${IN} contains the raw-string delimiter )${delim}\"")
  endif()
  file(WRITE "${OUT}.tmp"
    "// Generated from ${IN}; do not edit.\n#include <string_view>\n"
    "extern __attribute__((visibility(\"default\"))) const std::string_view ${VAR};\n"
    "const std::string_view ${VAR} = R\"${delim}(${text})${delim}\";\n")
  file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
  file(REMOVE "${OUT}.tmp")
  return()
endif()

function(tdef_embed_text TARGET VAR FILE)
  set(out ${CMAKE_BINARY_DIR}/embedded/${VAR}.cpp)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -DIN=${FILE} -DOUT=${out} -DVAR=${VAR} -P ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    DEPENDS ${FILE} ${CMAKE_CURRENT_FUNCTION_LIST_FILE}
    COMMENT "Embedding ${FILE}"
    VERBATIM)
  target_sources(${TARGET} PRIVATE ${out})
endfunction()
