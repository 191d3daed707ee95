# CMake toolchain file: cross-build 64-bit Windows programs on Debian with
# mingw-w64 (package g++-mingw-w64-x86-64), as single statically linked .exe
# files that run under Wine without any MinGW DLL beside them.
#
#   cmake -S . -B build-win -G Ninja \
#         -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake
#
# The Windows release zip carries this file as lib/cmake/kelto/ beside its
# package, for building programs against the unzipped folder:
#
#   cmake -S starter -B build -G Ninja -DCMAKE_PREFIX_PATH=<folder> \
#         -DCMAKE_TOOLCHAIN_FILE=<folder>/lib/cmake/kelto/mingw-w64-x86_64.cmake
#
# The -posix compilers are used: GCC 12's win32 thread model has no
# std::thread, std::mutex or std::condition_variable. With -static the
# winpthread runtime is linked in, so the .exe imports only KERNEL32.dll,
# msvcrt.dll and the system DLLs the program names (user32, gdi32, ...).
# <filesystem> and std::this_thread::sleep_for work with either variant.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${MINGW_TRIPLE}-windres)
set(CMAKE_AR           ${MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       ${MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

# Look for libraries, headers and packages only in the target's sysroot, in
# the prefixes given with -DCMAKE_FIND_ROOT_PATH=<cache>/mingw64 (the
# cross-built FreeType and GoogleTest) and in those given with
# -DCMAKE_PREFIX_PATH=<folder> (the unzipped Windows release); run programs
# (code generators) from the host. A root path is itself searched as a
# prefix, so find_package(kelto), find_package(Freetype) and
# find_package(GTest) need nothing else.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH} /usr/${MINGW_TRIPLE})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# One self-contained .exe: no libgcc_s_seh-1.dll, libstdc++-6.dll or
# libwinpthread-1.dll needed at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")

# Test executables (gtest_discover_tests, add_test) run through Wine.
# /usr/lib/wine/wine64 is the 64-bit loader itself; the `wine` launcher script
# would pick the 32-bit loader if wine32 were ever installed.
if(NOT DEFINED CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(KELTO_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
  if(KELTO_WINE64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${KELTO_WINE64})
  endif()
endif()
