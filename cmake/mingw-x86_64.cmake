# Cross-compiling the Windows program: 64-bit Windows with mingw-w64 (Debian
# g++-mingw-w64-x86-64). Runs under 64-bit Wine where the kernel cannot run 32-bit programs.
#   cmake -S . -B build-win64 --toolchain cmake/mingw-x86_64.cmake -DZR590_WERROR=ON
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ZR590_MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
