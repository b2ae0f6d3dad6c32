# GoogleTest built from the sources Debian's googletest package installs, with
# whatever compiler this build uses (native g++ or the MinGW cross compiler).
set(KBX_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources")
if(NOT EXISTS ${KBX_GTEST_SOURCE_DIR}/googletest/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found in ${KBX_GTEST_SOURCE_DIR}; run scripts/deps.sh")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${KBX_GTEST_SOURCE_DIR}/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(MINGW)
  # Static runtime, so the test .exe runs under Wine with no DLL beside it.
  target_link_options(gtest INTERFACE -static -static-libgcc -static-libstdc++)
endif()
