# Cross-compile for 32-bit Windows with MinGW-w64 (posix threads: GoogleTest needs std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KBX_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${KBX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KBX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${KBX_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KBX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# This machine runs no 32-bit code: the i686 build is compiled, not tested.
