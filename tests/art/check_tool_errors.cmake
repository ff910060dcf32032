# cmake -DTOOL=... -DFIXTURES=... -DOUT_DIR=... -P check_tool_errors.cmake
# The art tool's failures: each exits non-zero with a message that names the cause, and writes nothing.
file(REMOVE_RECURSE "${OUT_DIR}")

# A bad source: exit code 1, a message with the file and line, and nothing written, not even the good image
# before it.
execute_process(COMMAND "${TOOL}" "${OUT_DIR}" "${FIXTURES}/ragged.txt"
                RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 1)
  message(FATAL_ERROR "a ragged source gave exit code ${result}, expected 1")
endif()
if(NOT error MATCHES "ragged\\.txt:12: image 102, row 2 has 2 cells, expected 3 \\(ragged grid\\)")
  message(FATAL_ERROR "unexpected message for a ragged source: ${error}")
endif()
if(EXISTS "${OUT_DIR}")
  message(FATAL_ERROR "a failed run wrote ${OUT_DIR}")
endif()

# A source that cannot be read.
execute_process(COMMAND "${TOOL}" "${OUT_DIR}" "${FIXTURES}/no-such-file.txt"
                RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 1 OR NOT error MATCHES "cannot read .*no-such-file\\.txt")
  message(FATAL_ERROR "a missing source gave exit code ${result} and: ${error}")
endif()

# The same image number from two sources.
execute_process(COMMAND "${TOOL}" "${OUT_DIR}" "${FIXTURES}/one-image.txt" "${FIXTURES}/one-image.txt"
                RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 1 OR NOT error MATCHES "one-image\\.txt:6: image 5 is also in another source")
  message(FATAL_ERROR "a repeated image number gave exit code ${result} and: ${error}")
endif()
if(EXISTS "${OUT_DIR}")
  message(FATAL_ERROR "a failed run wrote ${OUT_DIR}")
endif()

# Too few arguments.
execute_process(COMMAND "${TOOL}" "${OUT_DIR}" RESULT_VARIABLE result ERROR_VARIABLE error)
if(NOT result EQUAL 2 OR NOT error MATCHES "usage: kestrova-art OUT_DIR SOURCE")
  message(FATAL_ERROR "a missing source argument gave exit code ${result} and: ${error}")
endif()
