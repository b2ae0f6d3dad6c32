# clang-cl in MSVC mode for the MSVC-mode compile check (CMakeLists.txt
# beside this file, which sets the headers it compiles against). There are
# no libraries for the MSVC target here, so nothing links: no-link.sh stands
# in for the linker, the librarian and the manifest tool.
# KBX_MSVC_CHECK_ARCH chooses x64 (the default) or x86.
include(${CMAKE_CURRENT_LIST_DIR}/../toolchain-clang-cl.cmake)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KBX_MSVC_CHECK_ARCH)
set(CMAKE_LINKER ${CMAKE_CURRENT_LIST_DIR}/no-link.sh)
set(CMAKE_AR ${CMAKE_CURRENT_LIST_DIR}/no-link.sh)
set(CMAKE_MT ${CMAKE_CURRENT_LIST_DIR}/no-link.sh)
if(KBX_MSVC_CHECK_ARCH STREQUAL "x86")
  set(CMAKE_SYSTEM_PROCESSOR X86)
  set(CMAKE_C_COMPILER_TARGET   i686-pc-windows-msvc)
  set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
endif()
