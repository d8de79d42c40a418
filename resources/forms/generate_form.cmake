# Builds a window description from its template: each @NAME@ placeholder
# given as NAME=file is replaced by the file's bytes in hex (the binary
# value syntax of descriptions), and the UTF-8 text is turned into GBK, the
# encoding of descriptions.
#   cmake -DTEMPLATE=in.txt -DOUTPUT=out.txt "-DBINARIES=NAME=file;..." -P generate_form.cmake
file(READ "${TEMPLATE}" text)
foreach(pair IN LISTS BINARIES)
  string(REGEX MATCH "^([A-Z_]+)=(.*)$" ok "${pair}")
  if(NOT ok)
    message(FATAL_ERROR "generate_form: bad binary argument '${pair}'")
  endif()
  set(name "${CMAKE_MATCH_1}")
  set(file "${CMAKE_MATCH_2}")
  file(READ "${file}" hex HEX)
  string(TOUPPER "${hex}" hex)
  # 64 hex digits a line, indented under the property.
  string(REGEX REPLACE "([0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F])"
    "\\1\n          " hex "${hex}")
  string(STRIP "${hex}" hex)
  string(FIND "${text}" "@${name}@" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "generate_form: ${TEMPLATE} has no @${name}@")
  endif()
  string(REPLACE "@${name}@" "{${hex}}" text "${text}")
endforeach()
file(WRITE "${OUTPUT}.utf8" "${text}")
execute_process(COMMAND iconv -f UTF-8 -t GBK "${OUTPUT}.utf8"
  OUTPUT_FILE "${OUTPUT}.tmp" RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "generate_form: ${TEMPLATE} is not convertible to GBK")
endif()
file(REMOVE "${OUTPUT}.utf8")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
