# Cross toolchain for x86_64 Windows programs with Debian's mingw-w64 compilers.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KESTROVA_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-w64-common.cmake)
