# Runs TOOL (koyomi_table) for each span of the expected file's "# FROM TO" lines and fails
# unless its lines are the ones that follow, byte for byte: the listing's format is what people
# compare with published tables.
file(STRINGS ${EXPECTED} lines ENCODING UTF-8)
set(expected "")
set(actual "")
foreach(line IN LISTS lines)
  if(line MATCHES "^# ([0-9-]+) ([0-9-]+)$")
    execute_process(COMMAND ${TOOL} ${CMAKE_MATCH_1} ${CMAKE_MATCH_2}
                    OUTPUT_VARIABLE out RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "koyomi_table ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} failed: ${result}")
    endif()
    string(APPEND actual "${out}")
  else()
    string(APPEND expected "${line}\n")
  endif()
endforeach()
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "koyomi_table printed\n${actual}\ninstead of\n${expected}")
endif()
