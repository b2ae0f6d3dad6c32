# Cross-compile for 64-bit Windows with clang-cl in MSVC mode (LLVM's cl.exe
# look-alike, lld-link and llvm-lib), as a Visual Studio build would compile.
# The MSVC and Windows SDK headers and libraries are not part of LLVM: give
# a tree that holds them (for example one laid out by the xwin tool) with
# -DKBX_WINSYSROOT=<dir>. Without one, nothing that includes a C or C++
# library header or windows.h compiles, and executables do not link.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KBX_LLVM_SUFFIX "-14" CACHE STRING "Suffix of the LLVM tool names (Debian: -14)")
set(CMAKE_C_COMPILER   clang-cl${KBX_LLVM_SUFFIX})
set(CMAKE_CXX_COMPILER clang-cl${KBX_LLVM_SUFFIX})
set(CMAKE_LINKER       lld-link${KBX_LLVM_SUFFIX})
set(CMAKE_AR           llvm-lib${KBX_LLVM_SUFFIX})
set(CMAKE_RC_COMPILER  llvm-rc${KBX_LLVM_SUFFIX})
set(CMAKE_MT           llvm-mt${KBX_LLVM_SUFFIX})
set(CMAKE_C_COMPILER_TARGET   x86_64-pc-windows-msvc)
set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)

set(KBX_WINSYSROOT "" CACHE PATH "MSVC and Windows SDK tree for clang-cl's /winsysroot")
if(KBX_WINSYSROOT)
  string(APPEND CMAKE_C_FLAGS_INIT " /winsysroot ${KBX_WINSYSROOT}")
  string(APPEND CMAKE_CXX_FLAGS_INIT " /winsysroot ${KBX_WINSYSROOT}")
  string(APPEND CMAKE_EXE_LINKER_FLAGS_INIT " /winsysroot:${KBX_WINSYSROOT}")
else()
  # The compiler checks compile without linking: there is no C run-time to link.
  set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)
endif()
