# Cross-compiling the Windows program: 32-bit Windows with mingw-w64 (Debian g++-mingw-w64-i686).
#   cmake -S . -B build-win32 --toolchain cmake/mingw-i686.cmake -DZR590_WERROR=ON
set(CMAKE_SYSTEM_PROCESSOR i686)
set(ZR590_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
