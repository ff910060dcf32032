# kestrova_add_saver(<name>
#     DISPLAY_NAME <text>            string resource 1, the name the screen-saver settings list
#     SOURCES <files...>             the program's own sources (its callbacks)
#     LIBRARIES <targets...>         its scene and the shared libraries
#     BITMAPS <id> <file.bmp> ...)   its RT_BITMAP resources by number
#
# Makes one saver program: on Windows a GUI program <name>.scr with its resources; elsewhere a program <name>
# for the X11 back end with the bitmaps linked in as resources.
function(kestrova_add_saver name)
  cmake_parse_arguments(ARG "" "DISPLAY_NAME" "SOURCES;LIBRARIES;BITMAPS" ${ARGN})
  if(WIN32)
    kestrova_add_saver_windows(${name} "${ARG_DISPLAY_NAME}" "${ARG_SOURCES}" "${ARG_LIBRARIES}" "${ARG_BITMAPS}")
  else()
    kestrova_add_saver_posix(${name} "${ARG_SOURCES}" "${ARG_LIBRARIES}" "${ARG_BITMAPS}")
  endif()
endfunction()

function(kestrova_add_saver_posix name sources libraries bitmaps)
  if(NOT COMMAND kestrova_add_bitmap_resources OR NOT TARGET kestrova_saverlib_posix)
    message(STATUS "${name}: not built yet, the platform layer is incomplete")
    return()
  endif()
  kestrova_add_bitmap_resources(${name}_resources MODULE ${name} BITMAPS ${bitmaps})
  add_executable(${name} ${sources})
  target_link_libraries(${name} PRIVATE ${libraries} ${name}_resources kestrova_saverlib_posix)
endfunction()

function(kestrova_add_saver_windows name display_name sources libraries bitmaps)
  message(FATAL_ERROR "The Windows saver programs are not written yet")
endfunction()
