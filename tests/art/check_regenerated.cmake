# cmake -DTOOL=... -DART_DIR=... -DBITMAP_DIR=... -DOUT_DIR=... -P check_regenerated.cmake
# Runs the art tool on every source of ART_DIR into a fresh OUT_DIR and compares the result with BITMAP_DIR:
# the same file names and the same bytes.
file(REMOVE_RECURSE "${OUT_DIR}")
file(GLOB sources "${ART_DIR}/*.txt")
if(NOT sources)
  message(FATAL_ERROR "no art sources in ${ART_DIR}")
endif()
execute_process(COMMAND "${TOOL}" "${OUT_DIR}" ${sources} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "kestrova-art failed (${result})")
endif()

file(GLOB generated RELATIVE "${OUT_DIR}" "${OUT_DIR}/*.bmp")
file(GLOB committed RELATIVE "${BITMAP_DIR}" "${BITMAP_DIR}/*.bmp")
if(NOT generated STREQUAL committed)
  message(FATAL_ERROR "generated bitmaps [${generated}] differ from the committed ones [${committed}]")
endif()
foreach(name ${committed})
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUT_DIR}/${name}" "${BITMAP_DIR}/${name}"
                  RESULT_VARIABLE different)
  if(different)
    message(FATAL_ERROR "${BITMAP_DIR}/${name} is not what its art source makes: regenerate it with the "
                        "kestrova-art-update target")
  endif()
endforeach()
list(LENGTH committed count)
message(STATUS "${count} bitmaps match their art sources")
