# GoogleTest and GoogleMock for the Windows unit tests, compiled from Debian's sources (libgtest-dev) by the
# cross compiler, since Debian ships them built only for Linux. Only what the tests link is built.
set(KESTROVA_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest's sources, for the Windows unit tests")
if(NOT EXISTS "${KESTROVA_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "KESTROVA_WINDOWS_UNIT_TESTS needs GoogleTest's sources in ${KESTROVA_GOOGLETEST_SOURCE_DIR} "
                      "(Debian package libgtest-dev)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# The win32 thread model has no pthreads; GoogleTest then uses Windows' own locks.
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
# SYSTEM: their headers are not ours to keep free of warnings.
add_subdirectory("${KESTROVA_GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL SYSTEM)

# Our port header (googletest_port/gtest/internal/custom/gtest-port.h) must be found before GoogleTest's own,
# which every compiler search order puts after a -I directory. An interface library of this folder (not of the
# SYSTEM one) gives it to GoogleTest and to every program that links it.
add_library(kestrova_googletest_port INTERFACE)
target_include_directories(kestrova_googletest_port INTERFACE "${CMAKE_CURRENT_LIST_DIR}/googletest_port")
target_link_libraries(gtest PUBLIC kestrova_googletest_port)
foreach(library gtest gtest_main gmock)  # their own folders come first in their own compilations
  target_include_directories(${library} BEFORE PRIVATE "${CMAKE_CURRENT_LIST_DIR}/googletest_port")
endforeach()
# It names its targets GTest::gtest, GTest::gtest_main and GTest::gmock, as find_package(GTest) does.
