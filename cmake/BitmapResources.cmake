# kestrova_add_bitmap_resources(<target> MODULE <name> [LIBRARY] BITMAPS <id> <file.bmp> [<id> <file.bmp> ...])
#
# POSIX builds: puts bitmap files into a program as RT_BITMAP resources by number, the way the resource compiler
# does on Windows: each resource is the .bmp file without its 14-byte file header. <target> is an object
# library whose source is generated at build time (again whenever a bitmap changes). Link it directly into the
# program (an object library's code joins only the targets that link it directly). It provides
#   HMODULE KestrovaResourceModule_<name>();   declared in "kestrova_resources/<name>.h"
# the module handle that FindResourceA searches, and it registers the module when the program starts, so that
# GetModuleHandleA(nullptr) stands for it when it is the program's only resource module. Several modules can
# live in one program, each with its own numbers. LIBRARY matters only to the Windows counterpart,
# cmake/BitmapResourcesWindows.cmake, which then puts the module into a DLL of its own.
#
# Run as a script (cmake -DMANIFEST=... -DOUTPUT=... -P BitmapResources.cmake), this file is also the generator.

if(CMAKE_SCRIPT_MODE_FILE)
  include("${MANIFEST}")
  set(arrays "")
  set(entries "")
  foreach(id IN LISTS BITMAP_IDS)
    set(bitmap "${BITMAP_FILE_${id}}")
    if(NOT EXISTS "${bitmap}")
      message(FATAL_ERROR "bitmap resource ${id}: ${bitmap} does not exist")
    endif()
    file(READ "${bitmap}" hex HEX)
    string(LENGTH "${hex}" digits)
    string(SUBSTRING "${hex}" 0 4 signature)
    # A file header and something after it. What follows is checked when the bitmap is loaded, so that tests
    # can link deliberately broken bitmaps.
    if(digits LESS 30 OR NOT signature STREQUAL "424d")
      message(FATAL_ERROR "bitmap resource ${id}: ${bitmap} is not a .bmp file (no 'BM' file header and data)")
    endif()
    # Drop the file header; the resource starts with the bitmap's info header.
    string(SUBSTRING "${hex}" 28 -1 hex)
    string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
    string(REPEAT "0x..," 16 line)  # CMake's regular expressions have no {n}
    string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
    string(APPEND arrays "// ${bitmap}\nalignas(8) const BYTE kBitmap${id}[] = {\n    ${bytes}\n};\n\n")
    string(APPEND entries "    {2, ${id}, kBitmap${id}, sizeof kBitmap${id}},\n")
  endforeach()

  if(entries STREQUAL "")
    set(table "const posix::ResourceEntry* const kEntries = nullptr;\nconstexpr std::size_t kEntryCount = 0;")
  else()
    set(table "const posix::ResourceEntry kEntries[] = {\n${entries}};\n")
    string(APPEND table "constexpr std::size_t kEntryCount = sizeof kEntries / sizeof kEntries[0];")
  endif()

  file(WRITE "${OUTPUT}.tmp" "\
// Generated from the bitmaps of resource module \"${MODULE_NAME}\" by cmake/BitmapResources.cmake.
#include \"kestrova_resources/${MODULE_NAME}.h\"
#include \"platform/posix/resource_module.h\"

namespace {

${arrays}${table}
const posix::ResourceModule kModule = {\"${MODULE_NAME}\", kEntries, kEntryCount};

// Registers the module when the program starts.
[[maybe_unused]] const HMODULE kRegisteredAtStart = KestrovaResourceModule_${MODULE_NAME}();

}  // namespace

HMODULE KestrovaResourceModule_${MODULE_NAME}() {
  static const HMODULE handle = posix::RegisterResourceModule(kModule);
  return handle;
}
")
  file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
  return()
endif()

include_guard(GLOBAL)

function(kestrova_add_bitmap_resources target)
  cmake_parse_arguments(ARG "LIBRARY" "MODULE" "BITMAPS" ${ARGN})
  if(NOT ARG_MODULE MATCHES "^[A-Za-z_][A-Za-z0-9_]*$")
    message(FATAL_ERROR "kestrova_add_bitmap_resources(${target}): MODULE must be a C identifier, not '${ARG_MODULE}'")
  endif()
  list(LENGTH ARG_BITMAPS count)
  math(EXPR odd "${count} % 2")
  if(odd)
    message(FATAL_ERROR "kestrova_add_bitmap_resources(${target}): BITMAPS takes pairs of <id> <file.bmp>")
  endif()

  set(dir "${CMAKE_CURRENT_BINARY_DIR}/${target}")
  set(manifest "set(MODULE_NAME \"${ARG_MODULE}\")\n")
  set(ids "")
  set(files "")
  while(ARG_BITMAPS)
    list(POP_FRONT ARG_BITMAPS id bitmap)
    if(NOT id MATCHES "^[0-9]+$" OR id LESS 1 OR id GREATER 65535)
      message(FATAL_ERROR "kestrova_add_bitmap_resources(${target}): resource number '${id}' is not in 1 to 65535")
    endif()
    math(EXPR id "${id}")  # drops leading zeros, so that 0102 and 102 are the same number
    if(id IN_LIST ids)
      message(FATAL_ERROR "kestrova_add_bitmap_resources(${target}): resource number ${id} is given twice")
    endif()
    get_filename_component(bitmap "${bitmap}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND ids ${id})
    list(APPEND files "${bitmap}")
    string(APPEND manifest "set(BITMAP_FILE_${id} \"${bitmap}\")\n")
  endwhile()
  string(APPEND manifest "set(BITMAP_IDS \"${ids}\")\n")

  # Written only when it changes, so that configuring again does not regenerate the source.
  file(CONFIGURE OUTPUT "${dir}/manifest.cmake" CONTENT "${manifest}" @ONLY)
  file(CONFIGURE OUTPUT "${dir}/include/kestrova_resources/${ARG_MODULE}.h" CONTENT "\
// Generated by cmake/BitmapResources.cmake: the resource module \"${ARG_MODULE}\" linked into this program.
#pragma once

#include \"platform/win32.h\"

HMODULE KestrovaResourceModule_${ARG_MODULE}();
" @ONLY)

  set(source "${dir}/${ARG_MODULE}_resources.cpp")
  add_custom_command(
    OUTPUT "${source}"
    COMMAND "${CMAKE_COMMAND}" "-DMANIFEST=${dir}/manifest.cmake" "-DOUTPUT=${source}"
            -P "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
    DEPENDS ${files} "${dir}/manifest.cmake" "${CMAKE_CURRENT_FUNCTION_LIST_FILE}"
    COMMENT "Linking bitmap resources of module ${ARG_MODULE}"
    VERBATIM)

  add_library(${target} OBJECT "${source}")
  target_include_directories(${target} PUBLIC "${dir}/include")
  target_link_libraries(${target} PUBLIC kestrova_platform)
endfunction()
