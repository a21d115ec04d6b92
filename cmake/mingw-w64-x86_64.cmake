# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads).
# The runtime (libgcc, libstdc++, winpthread) is linked statically, so the programs
# need nothing on Windows beyond its own system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VELTRANE_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VELTRANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELTRANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VELTRANE_MINGW_TRIPLE}-windres)
set(CMAKE_ASM_COMPILER ${VELTRANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_AR ${VELTRANE_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VELTRANE_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "")

# Cross-built third-party libraries live in a cache outside the tree
# (tools/build-windows-deps); VELTRANE_WINDOWS_DEPS points elsewhere when set.
if(NOT DEFINED VELTRANE_WINDOWS_DEPS)
  if(DEFINED ENV{VELTRANE_WINDOWS_DEPS})
    set(VELTRANE_WINDOWS_DEPS "$ENV{VELTRANE_WINDOWS_DEPS}")
  else()
    set(VELTRANE_WINDOWS_DEPS "$ENV{HOME}/.cache/veltrane/mingw64")
  endif()
endif()
set(VELTRANE_WINDOWS_DEPS "${VELTRANE_WINDOWS_DEPS}" CACHE PATH "Cross-built libraries for Windows")

set(CMAKE_FIND_ROOT_PATH /usr/${VELTRANE_MINGW_TRIPLE} ${VELTRANE_WINDOWS_DEPS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

