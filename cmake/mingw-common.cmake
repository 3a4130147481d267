# What both mingw-w64 toolchain files share: the compilers of ZR590_MINGW_PREFIX and a find
# root that looks for libraries and headers only in that target's own tree.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${ZR590_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${ZR590_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${ZR590_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZR590_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
