# 64-bit Windows build, for testing only: it runs the Win32 code of the
# module under 64-bit Wine where 32-bit programs cannot run (a kernel
# without IA-32 execution).  What ships is the 32-bit build.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
# The module itself links the run-time of the "-win32" compilers: the
# POSIX threads library that the "-posix" run-time brings along leaves
# handles behind every time a host frees the module (CMakeLists.txt).
set(EDIHAL_MODULE_LINKER x86_64-w64-mingw32-g++-win32)
set(EDIHAL_OBJDUMP x86_64-w64-mingw32-objdump)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
