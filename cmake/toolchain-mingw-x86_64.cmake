# Cross-compile for 64-bit Windows with MinGW-w64 (posix threads: GoogleTest needs std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KBX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${KBX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KBX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KBX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KBX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests of the cross build run under Wine, through the script installed
# beside this file (share/kobrix) or the one in the source tree. On Windows
# (MSYS2) they run as they are.
if(CMAKE_HOST_WIN32)
elseif(EXISTS ${CMAKE_CURRENT_LIST_DIR}/wine-exec.sh)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-exec.sh)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
endif()
