# Shared part of the Windows cross toolchains. The including toolchain file sets KESTROVA_MINGW_TRIPLE
# (i686-w64-mingw32 or x86_64-w64-mingw32) and CMAKE_SYSTEM_PROCESSOR first.
#
# Debian ships each mingw-w64 compiler in two thread models. The saver programs start no threads, so they use
# the "win32" model everywhere: it needs no winpthread runtime, which keeps the statically linked programs
# small and their imports limited to system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KESTROVA_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KESTROVA_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${KESTROVA_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${KESTROVA_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A .scr is copied alone into a system folder, so it must not depend on the compiler's runtime DLLs
# (libgcc_s, libstdc++): link everything of the toolchain statically.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
